#include "format/DecorationTypes.h"

#include <array>

#include "host/layouts/DataFiles.h"

namespace Corvanis {

namespace {

constexpr std::array<DecorationType, 13> kDecorationTypes{{
    {veltrane::kFormTypeArmor, SkipSetting::ARMO, true},
    {veltrane::kFormTypeBook, SkipSetting::BOOK, true},
    {veltrane::kFormTypeContainer, SkipSetting::CONT, false},
    {veltrane::kFormTypeMisc, SkipSetting::MISC, true},
    {veltrane::kFormTypeMoveableStatic, SkipSetting::MSTT, false},
    {veltrane::kFormTypeFurniture, SkipSetting::FURN, false},
    {veltrane::kFormTypeWeapon, SkipSetting::WEAP, true},
    {veltrane::kFormTypeKey, SkipSetting::KEYM, true},
    {veltrane::kFormTypeIngestible, SkipSetting::ALCH, true},
    {veltrane::kFormTypeTerminal, SkipSetting::TERM, false},
    {veltrane::kFormTypeAmmo, SkipSetting::None, true},
    {veltrane::kFormTypePlaceable43, SkipSetting::Type43, false},
    {veltrane::kFormTypePlaceable30, SkipSetting::Type30, false},
}};

}  // namespace

const DecorationType* FindDecorationType(std::uint8_t code) {
    for (const DecorationType& type : kDecorationTypes) {
        if (type.code == code) return &type;
    }
    return nullptr;
}

}  // namespace Corvanis
