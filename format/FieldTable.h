// How a blueprint carries the fields of a record: one table per record (a
// module, a traversal, a component with values of its own), a row per field,
// in the order the exporter writes them. A row gives the field's key (for a
// listed record, after the element's index), the kind of its value and the
// member that holds it. The exporter writes every row; the layout reader
// finds a row by its key. A field that the game adds to a record is one
// row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "host/layouts/GameObjects.h"
#include "host/layouts/StringsAndArrays.h"

namespace Corvanis {

enum class FieldKind : std::uint8_t {
    // Six decimals; read as a finite float.
    Float,
    // Decimal digits; read through a float, as the game reads it, and exactly
    // when the text is a plain decimal whole number.
    Whole,
    // Decimal digits; read as an unsigned 32-bit number.
    Unsigned,
    // A form reference; read only as a form of the record's form type.
    Form,
    // The bytes in hexadecimal.
    RawBytes,
    // Written as a float. Blueprints older than version 2.00 hold a byte
    // there: read both ways, the version decides.
    FloatOrLegacyByte,
    // A game string, written as it stands.
    Text,
};

template <class Record>
using RawBytesMember = std::uint8_t (Record::*)[80];

// The member a field's value lives in.
template <class Record>
using FieldMember = std::variant<float Record::*, std::uint32_t Record::*, std::uint8_t Record::*,
                                 veltrane::Form* Record::*, RawBytesMember<Record>, veltrane::FixedString Record::*>;

template <class Record>
struct RecordField {
    // As the exporter writes it: after the element's index for a listed
    // record ("].fPosX |"), whole for a component's own value
    // ("KORModel.model |").
    std::string_view key;
    FieldKind kind;
    FieldMember<Record> member;
    // The key older blueprints carry instead: read, never written.
    std::string_view olderKey = {};
};

// The field's name as a refusal gives it: "fPosX".
constexpr std::string_view FieldName(std::string_view key) {
    key = key.substr(key.rfind('.') + 1);
    while (key.ends_with(' ') || key.ends_with('|')) key.remove_suffix(1);
    return key;
}

// The key as it may stand anywhere in a line's key part: without its " |".
constexpr std::string_view KeyWithoutBar(std::string_view key) {
    if (key.ends_with(" |")) key.remove_suffix(2);
    return key;
}

// Whether a table's keys follow an element's index ("].fPosX |") or stand
// whole ("KORModel.model |").
enum class KeyShape : std::uint8_t { AfterIndex, Whole };

// True when every row's kind suits its member's type and every key has the
// shape the readers look for: what a table is checked by while compiling.
template <class Record>
consteval bool IsWellFormed(std::span<const RecordField<Record>> fields, KeyShape shape = KeyShape::AfterIndex) {
    for (const RecordField<Record>& field : fields) {
        if (!field.key.ends_with(" |")) return false;
        if (field.key.starts_with("].") != (shape == KeyShape::AfterIndex)) return false;
        // A listed element is read before the game may make strings for it.
        if (shape == KeyShape::AfterIndex && field.kind == FieldKind::Text) return false;
        const auto holds = [&]<class Member>() { return std::holds_alternative<Member>(field.member); };
        bool suits = false;
        switch (field.kind) {
            case FieldKind::Float:
            case FieldKind::FloatOrLegacyByte: suits = holds.template operator()<float Record::*>(); break;
            case FieldKind::Whole:
                suits = holds.template operator()<std::uint32_t Record::*>() ||
                        holds.template operator()<std::uint8_t Record::*>();
                break;
            case FieldKind::Unsigned: suits = holds.template operator()<std::uint32_t Record::*>(); break;
            case FieldKind::Form: suits = holds.template operator()<veltrane::Form* Record::*>(); break;
            case FieldKind::RawBytes: suits = holds.template operator()<RawBytesMember<Record>>(); break;
            case FieldKind::Text: suits = holds.template operator()<veltrane::FixedString Record::*>(); break;
        }
        if (!suits) return false;
    }
    return true;
}

}  // namespace Corvanis
