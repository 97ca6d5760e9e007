#include "export/DecorationTypes.h"

#include <array>

#include "host/layouts.h"

namespace Corvanis {

namespace {

constexpr std::array<DecorationType, 13> kDecorationTypes{{
    {veltrane::kFormTypeArmor, &ItemTypeSkips::bSkipARMO, true},
    {veltrane::kFormTypeBook, &ItemTypeSkips::bSkipBOOK, true},
    {veltrane::kFormTypeContainer, &ItemTypeSkips::bSkipCONT, false},
    {veltrane::kFormTypeMisc, &ItemTypeSkips::bSkipMISC, true},
    {veltrane::kFormTypeMoveableStatic, &ItemTypeSkips::bSkipMSTT, false},
    {veltrane::kFormTypeFurniture, &ItemTypeSkips::bSkipFURN, false},
    {veltrane::kFormTypeWeapon, &ItemTypeSkips::bSkipWEAP, true},
    {veltrane::kFormTypeKey, &ItemTypeSkips::bSkipKEYM, true},
    {veltrane::kFormTypeIngestible, &ItemTypeSkips::bSkipALCH, true},
    {veltrane::kFormTypeTerminal, &ItemTypeSkips::bSkipTERM, false},
    {veltrane::kFormTypeAmmo, nullptr, true},
    {veltrane::kFormTypePlaceable43, &ItemTypeSkips::bSkipType43, false},
    {veltrane::kFormTypePlaceable30, &ItemTypeSkips::bSkipType30, false},
}};

}  // namespace

const DecorationType* FindDecorationType(std::uint8_t code) {
    for (const DecorationType& type : kDecorationTypes) {
        if (type.code == code) return &type;
    }
    return nullptr;
}

}  // namespace Corvanis
