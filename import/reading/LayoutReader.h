// The layout reader: what a layout import takes from each line of a
// blueprint. It reads one line at a time and says of each whether it read
// it, whether the line is none of its business, or why it refuses it; the
// layout import stops at the first refusal, a checking tool goes on and
// collects them all. It knows nothing of the game: forms come through the
// resolver.
//
// Keys are looked for in a line's key part only (BlueprintLine), every key
// the exporter writes is read, and numbers convert as the game's platform
// converts them, whatever the process's locale.
#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "format/FieldTable.h"
#include "format/Version.h"
#include "import/ImportErrorInfo.h"
#include "import/reading/BlueprintLine.h"
#include "import/reading/FormResolver.h"
#include "import/reading/LayoutAccumulator.h"
#include "import/reading/LineVerdict.h"
#include "import/reading/ReadingNotes.h"

namespace Corvanis {

// The version of a blueprint without a version line: below every version.
constexpr float kNoBlueprintVersion = std::numeric_limits<float>::min();

// The version a blueprint's version line gives, as a number and with two
// decimals ("2.00"). A blueprint without one keeps the start values.
struct ReturnStorageBlueprintVersionInfo {
    float fVersion = kNoBlueprintVersion;
    std::string sVersion;
};

// A list element that lacks a line it cannot do without: a module without
// its item, a traversal without its traversal form. The game must never get
// such an element, so it refuses the import.
struct IncompleteElement {
    BlueprintLine firstLine;  // the element's first line
    std::string_view what;    // as a refusal names it: "Blueprint|data"
    std::string_view field;   // the missing field: "item"
};

// Sets the error as the refusal of the element's first line for the field
// it lacks: "importing Blueprint|data|item at Blueprint.data[1].fPosX |1.5".
void RefuseIncompleteElement(const IncompleteElement& element, ImportErrorInfo& error);

// A key of the layout's components, and how a line under it is read.
struct ComponentKey;

class LayoutReader {
public:
    // The reader fills `layout` and writes the version of each version line
    // into `version`; both must outlive it. What the game reads differently
    // from what a line says goes to `notes`, when given.
    LayoutReader(FormResolver& forms, LayoutAccumulator& layout, ReturnStorageBlueprintVersionInfo& version,
                 ReadingNotes* notes = nullptr)
        : forms_(forms), layout_(layout), version_(version), notes_(notes) {}

    // Reads the line into the accumulator. A refused line sets the error's
    // phase ("importing QRNKeywordForm at " + the line) and, where there is
    // more to say, its extra error text, and changes nothing in the
    // accumulator; the error is left alone otherwise.
    LineVerdict ReadLine(const BlueprintLine& line, ImportErrorInfo& error);

    // Why the last refused line was refused, as "the value is not a number";
    // empty where the error's extra text says it (a version line).
    const char* RefusalReason() const { return refusalReason_; }

    // Judges what only the whole blueprint shows, once, after its last line:
    // gives every incomplete element in file order, and leaves out of the
    // layout each cargo entry without its object (noting it in
    // `cargoLeftOut`), since a ship does without any one of its cargo. The
    // lines read must still be alive.
    std::vector<IncompleteElement> Finish();

private:
    LineVerdict ReadComponentLine(const ComponentKey& key, const BlueprintLine& line, ImportErrorInfo& error);
    LineVerdict ReadVersion(const BlueprintLine& line, ImportErrorInfo& error);
    LineVerdict ReadPropertySheet(const BlueprintLine& line, ImportErrorInfo& error);
    LineVerdict ReadTraversals1(const BlueprintLine& line, ImportErrorInfo& error);
    LineVerdict ReadTraversals2(const BlueprintLine& line, ImportErrorInfo& error);
    LineVerdict ReadGroupTraversal(const BlueprintLine& line, ImportErrorInfo& error);
    LineVerdict ReadBlueprint(const BlueprintLine& line, ImportErrorInfo& error);
    // `key` is the module field's key in the blueprint's key set; `index` is
    // the line's index, as GetLineIndex reads it.
    LineVerdict ReadPart(int key, std::int32_t index, const BlueprintLine& line, ImportErrorInfo& error);
    LineVerdict ReadContainer(const BlueprintLine& line, ImportErrorInfo& error);

    // Reads the line's value into the record's field; false, with the record
    // as it was, when the value does not convert. A form must be of
    // `formType`; a value that older blueprints hold as a byte is also kept
    // in `legacyByte`.
    template <class Record>
    bool SetField(const RecordField<Record>& field, const BlueprintLine& line, Record& record,
                  std::uint8_t formType = 0, std::uint8_t* legacyByte = nullptr);
    // SetField without the notes.
    template <class Record>
    bool SetFieldValue(const RecordField<Record>& field, const BlueprintLine& line, Record& record,
                       std::uint8_t formType, std::uint8_t* legacyByte);
    // The line's form, when it has one of the type; null otherwise.
    veltrane::Form* FormOfType(const BlueprintLine& line, std::uint8_t type);
    // The line's form as a bound object, or null.
    veltrane::Form* BoundForm(const BlueprintLine& line);
    // Why the line gives no form of the type it needs, or no bound object
    // when `bound` is set.
    const char* FormReason(const BlueprintLine& line, bool bound);
    // Why a value of the field's kind did not convert.
    template <class Record>
    const char* ValueReason(const RecordField<Record>& field, const BlueprintLine& line);
    // Gives the verdict, noting the reason when it is a refusal.
    LineVerdict Because(const char* reason, LineVerdict verdict) {
        if (verdict == LineVerdict::Refused) refusalReason_ = reason;
        return verdict;
    }
    // Note what the game reads otherwise in a number or a form reference.
    void NoteNumber(const BlueprintLine& line, NumberKind kind);
    void NoteFormReference(const BlueprintLine& line);

    FormResolver& forms_;
    LayoutAccumulator& layout_;
    ReturnStorageBlueprintVersionInfo& version_;
    ReadingNotes* notes_;
    // The first line of each element of the layout's lists, in the same
    // order: what a refusal of an incomplete element names.
    std::vector<BlueprintLine> partLines_;
    std::vector<BlueprintLine> traversal1Lines_;
    std::vector<std::vector<BlueprintLine>> traversal2Lines_;
    const char* refusalReason_ = "";
};

}  // namespace Corvanis
