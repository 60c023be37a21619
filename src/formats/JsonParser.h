#pragma once
// A strict JSON reader that keeps the place of every value. It refuses what a lenient reader
// would let through silently: a field named twice in one object, control characters inside
// texts, unknown escapes, lone surrogates, bytes that are not UTF-8 and text after the value.

#include "formats/Format.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace formats {

struct JsonMember;

struct JsonValue {
    enum class Type { Null, Boolean, Number, Text, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    bool integral = false;  // a number written without fraction or exponent
    QString text;
    std::vector<JsonValue> elements;
    // In the order written. A struct of our own, not std::pair: clang with libstdc++ 12 cannot
    // instantiate a pair holding the still incomplete JsonValue.
    std::vector<JsonMember> members;
    int line = 0, column = 0;  // where the value begins

    const JsonValue* member(const QString& name) const;
};

struct JsonMember {
    QString name;
    JsonValue value;
};

// Parses a whole document; on a fault returns nothing and sets `fault` (with its place).
std::optional<JsonValue> parseJson(const QByteArray& source, Problem& fault);

}  // namespace formats
