// Writes a record's lines from its field table, one line per row in the
// table's order.
#pragma once

#include <span>
#include <string_view>
#include <type_traits>
#include <variant>

#include "export/BlueprintWriter.h"
#include "export/ExportErrorInfo.h"
#include "export/sections/FormLine.h"
#include "format/FieldTable.h"
#include "host/layouts/StringsAndArrays.h"

namespace Corvanis {

// `prefix` is a listed element's key up to its index ("Blueprint.data[3"),
// empty for a component's own values;
// `missingFile` is what the export stops with when the element's form has no
// data file. A backup (`forUndo`) writes raw bytes with two digits each, so
// that they read back.
template <class Record>
bool WriteRecordLines(BlueprintWriter& out, std::string_view prefix, std::span<const RecordField<std::type_identity_t<Record>>> fields,
                      const Record& record, std::string_view missingFile, bool forUndo, ExportErrorInfo& error) {
    for (const RecordField<Record>& field : fields) {
        switch (field.kind) {
            case FieldKind::Float:
            case FieldKind::FloatOrLegacyByte:
                out.FloatLine(prefix, field.key, record.*std::get<float Record::*>(field.member));
                break;
            case FieldKind::Whole:
            case FieldKind::Unsigned:
                std::visit(
                    [&]<class Member>(Member member) {
                        if constexpr (std::is_same_v<Member, std::uint32_t Record::*> ||
                                      std::is_same_v<Member, std::uint8_t Record::*>) {
                            out.UnsignedLine(prefix, field.key, record.*member);
                        }
                    },
                    field.member);
                break;
            case FieldKind::Form:
                if (!WriteFormLine(out, prefix, field.key, record.*std::get<veltrane::Form* Record::*>(field.member),
                                   missingFile, error)) {
                    return false;
                }
                break;
            case FieldKind::Text:
                out.TextLine(prefix, field.key,
                             veltrane::FixedStringText(record.*std::get<veltrane::FixedString Record::*>(field.member)));
                break;
            case FieldKind::RawBytes: {
                const auto& bytes = record.*std::get<RawBytesMember<Record>>(field.member);
                if (forUndo) {
                    out.RawBytesTwoDigitsLine(prefix, field.key, bytes, sizeof bytes);
                } else {
                    out.RawBytesLine(prefix, field.key, bytes, sizeof bytes);
                }
                break;
            }
        }
    }
    return true;
}

}  // namespace Corvanis
