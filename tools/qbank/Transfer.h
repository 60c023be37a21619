#pragma once
// qbank import and export: questions between a table file and a source in any of the
// formats of src/formats.

#include <QString>

namespace qbank {

struct TransferOptions {
    QString format;   // --format; empty: from the file's extension
    int section = 0;  // --section; 0: none given
    QString output;   // -o; empty: standard output
};

// Both return the process's exit code and say what they did on standard error.
int importItems(const QString& file, const QString& source, const TransferOptions& options);
int exportItems(const QString& file, const TransferOptions& options);

}  // namespace qbank
