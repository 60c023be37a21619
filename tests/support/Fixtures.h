#pragma once
// Small table files for tests, made through the store in the current directory.

#include "store/Fields.h"

#include <QString>
#include <QVariantMap>

#include <vector>

namespace testsupport {

// One record as field name -> value; fields left out stay empty.
using Item = QVariantMap;

// An item with a question text, a section and (for bank items) a practice exam, answer a keyed.
Item item(int exam, int section, const QString& question = QString());

// Creates `file` of `kind` keyed with the program's password and appends `items` in order.
void makeTable(const QString& file, store::TableKind kind, const std::vector<Item>& items);

// A bank of `count` items whose Q_ID run 1..count; item k belongs to exam examOf(k).
void makeBank(const QString& file, int count, int (*examOf)(int k), int (*sectionOf)(int k));

QByteArray fileBytes(const QString& file);

}  // namespace testsupport
