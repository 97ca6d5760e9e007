// The records the game and plug-ins share, read back byte by byte at the
// offsets and widths the game uses. The offsets are written out here on
// their own, not taken from the shared headers, so that a header that drifts
// from the game fails here rather than agreeing with itself.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "host/layouts/CommandTables.h"
#include "host/layouts/GameObjects.h"
#include "host/layouts/ReferenceCreation.h"
#include "host/layouts/ShipComponents.h"

namespace {

struct Field {
    const char* name;
    std::size_t offset;
    std::size_t width;
    std::uint64_t value;  // little-endian, as the game reads it
};

std::uint64_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }
std::uint64_t Address(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }

template <class Record>
void ExpectFields(const Record& record, std::size_t size, const std::vector<Field>& fields) {
    ASSERT_EQ(sizeof(Record), size);
    unsigned char bytes[sizeof(Record)];
    std::memcpy(bytes, &record, sizeof bytes);
    for (const Field& field : fields) {
        std::uint64_t read = 0;
        for (std::size_t i = field.width; i-- > 0;) read = read << 8 | bytes[field.offset + i];
        EXPECT_EQ(read, field.value) << field.name << " at " << field.offset;
    }
}

veltrane::Form* FakeForm(std::uintptr_t n) { return reinterpret_cast<veltrane::Form*>(n * 0x1000); }

TEST(RecordLayouts, TheConsoleRecords_LieWhereTheGameReadsThem) {
    static const char longName[] = "L", shortName[] = "S", help[] = "H";
    veltrane::ParameterDefinition definition{"asBlueprintName", 0x0A0B0C0D, 0x01020304};
    ExpectFields(definition, 16,
                 {{"name", 0, 8, Address(definition.name)}, {"type", 8, 4, 0x0A0B0C0D}, {"optional", 12, 4, 0x01020304}});

    veltrane::CommandEntry entry{};
    entry.longName = longName;
    entry.shortName = shortName;
    entry.opcode = 0x1401;
    entry.helpText = help;
    entry.flags = 0x5A;
    entry.parameterCount = 0x0102;
    entry.parameters = &definition;
    ExpectFields(entry, 88,
                 {{"long name", 0, 8, Address(longName)},
                  {"short name", 8, 8, Address(shortName)},
                  {"opcode", 16, 4, 0x1401},
                  {"help", 24, 8, Address(help)},
                  {"flags", 32, 1, 0x5A},
                  {"parameter count", 34, 2, 0x0102},
                  {"parameters", 40, 8, Address(&definition)},
                  {"execute", 48, 8, 0}});
}

TEST(RecordLayouts, TheCreateReferenceRequest_LiesWhereTheGameReadsIt) {
    veltrane::CreateReferenceRequest request{};
    request.recordMarker = 0x1122334455667788;
    request.position[0] = 1.5f;
    request.position[2] = -3.25f;
    request.rotation[1] = 0.5f;
    request.scale = 2.0f;
    request.baseObject = FakeForm(1);
    request.cell = FakeForm(2);
    request.parentShip = FakeForm(3);
    request.flag8C = 1;
    request.flag8D = 1;
    request.one98 = 1;
    ExpectFields(request, 176,
                 {{"marker", 0, 8, 0x1122334455667788},
                  {"x", 16, 4, Bits(1.5f)},
                  {"z", 24, 4, Bits(-3.25f)},
                  {"rotation y", 32, 4, Bits(0.5f)},
                  {"scale", 40, 4, Bits(2.0f)},
                  {"base", 48, 8, Address(FakeForm(1))},
                  {"cell", 56, 8, Address(FakeForm(2))},
                  {"ship", 64, 8, Address(FakeForm(3))},
                  {"byte 140", 140, 1, 1},
                  {"byte 141", 141, 1, 1},
                  {"value 152", 152, 8, 1}});
}

TEST(RecordLayouts, TheShipRecords_LieWhereTheGameReadsThem) {
    veltrane::BlueprintPartRecord part{};
    part.fPosX = 1.0f;
    part.fRotZ = 6.0f;
    part.partID = 0xA1B2C3D4;
    part.unk1C = 7.0f;
    part.unk34 = 13.0f;
    part.unk38 = 0x38;
    part.unk3B = 0x3B;
    part.unk3C = 14.0f;
    part.unk40 = 0x40404040;
    part.unk44 = 0x44444444;
    part.unk48_98[0] = 0x48;
    part.unk48_98[79] = 0x97;
    part.item = FakeForm(4);
    part.unkA0 = 0xA0A0A0A0;
    part.unkA4 = 0xA4A4A4A4;
    ExpectFields(part, 168,
                 {{"fPosX", 0x00, 4, Bits(1.0f)},    {"fRotZ", 0x14, 4, Bits(6.0f)},
                  {"partID", 0x18, 4, 0xA1B2C3D4},   {"unk1C", 0x1C, 4, Bits(7.0f)},
                  {"unk34", 0x34, 4, Bits(13.0f)},   {"unk38", 0x38, 1, 0x38},
                  {"unk3B", 0x3B, 1, 0x3B},          {"unk3C", 0x3C, 4, Bits(14.0f)},
                  {"unk40", 0x40, 4, 0x40404040},    {"unk44", 0x44, 4, 0x44444444},
                  {"unk48_98 first", 0x48, 1, 0x48}, {"unk48_98 last", 0x97, 1, 0x97},
                  {"item", 0x98, 8, Address(FakeForm(4))}, {"unkA0", 0xA0, 4, 0xA0A0A0A0},
                  {"unkA4", 0xA4, 4, 0xA4A4A4A4}});

    veltrane::TraversalRecord traversal{};
    traversal.unk00 = 1.0f;
    traversal.unk08 = 3.0f;
    traversal.unk0C = 0x0C0C0C0C;
    traversal.traversal = FakeForm(5);
    traversal.fFromX = 4.0f;
    traversal.fToZ = 9.0f;
    traversal.fUnknown30 = 10.0f;
    traversal.fUnknown34 = 11.0f;
    traversal.uUnknown38 = 0x38383838;
    traversal.uUnknown3C = 0x3C3C3C3C;
    traversal.unk40 = 0x40404040;
    ExpectFields(traversal, 72,
                 {{"unk00", 0, 4, Bits(1.0f)},          {"unk08", 8, 4, Bits(3.0f)},
                  {"unk0C", 12, 4, 0x0C0C0C0C},         {"traversal", 16, 8, Address(FakeForm(5))},
                  {"fFromX", 24, 4, Bits(4.0f)},        {"fToZ", 44, 4, Bits(9.0f)},
                  {"fUnknown30", 48, 4, Bits(10.0f)},   {"fUnknown34", 52, 4, Bits(11.0f)},
                  {"uUnknown38", 56, 4, 0x38383838},    {"uUnknown3C", 60, 4, 0x3C3C3C3C},
                  {"unk40", 64, 4, 0x40404040}});

    veltrane::TraversalGroupRecord group{};
    group.unk10 = 0x10101010;
    group.unk14 = 20.0f;
    group.unk24 = 36.0f;
    ExpectFields(group, 40, {{"unk10", 16, 4, 0x10101010}, {"unk14", 20, 4, Bits(20.0f)}, {"unk24", 36, 4, Bits(36.0f)}});

    const veltrane::PropertySheetEntryRecord entry{FakeForm(6), FakeForm(7), 1.0f, 0};
    ExpectFields(entry, 24,
                 {{"first", 0, 8, Address(FakeForm(6))}, {"second", 8, 8, Address(FakeForm(7))},
                  {"third", 16, 4, Bits(1.0f)}});

    const veltrane::ContainerEntryRecord cargo{-2, 0, FakeForm(8), nullptr};
    ExpectFields(cargo, 24, {{"count", 0, 4, 0xFFFFFFFE}, {"obj", 8, 8, Address(FakeForm(8))}, {"itemExtra", 16, 8, 0}});
}

}  // namespace
