// What the world reader's jobs hand one another. The forms are read in two
// passes, as an entry may name a form that comes later in the file: the
// first makes every form, the second reads their details.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/GameState.h"
#include "sim/worldfile/ReadContext.h"

namespace sim {

// A form entry between the two passes: its identity is known, its details
// are read once every form exists.
struct PendingForm {
    Entry entry;
    FormKind kind;
    std::optional<std::uint32_t> formID;  // none until a run-time ID is handed out
    std::string worldName;
    const veltrane::FileRecord* file = nullptr;  // the file that defines it, none for run-time forms
    veltrane::Form* form = nullptr;
};

void ReadFiles(const Entry& files, World& world);

// The entries of "forms", "cells" and "references" in the file's order, each
// with the form ID it is to have.
std::vector<PendingForm> IdentifyForms(const Entry& root, World& world);
// Eight hexadecimal digits starting FF, without the '#' of a form reference.
std::uint32_t ReadRuntimeID(const Entry& entry);
// Also gives the resolver the forms' editor IDs, by which the second pass
// may name them.
void CreateForms(std::vector<PendingForm>& forms, FormResolver& resolver);

void FillForm(PendingForm& pending, const FormResolver& resolver);

FormHandle PlaceCell(const Entry& entry, World& world);
void FillCell(const Entry& entry, veltrane::Form& cell, const FormResolver& resolver);

void FillReference(const Entry& entry, veltrane::Form& reference, const FormResolver& resolver);
// Once every cell has claimed its references.
void CheckRemovedReferences(const std::vector<PendingForm>& forms);

void ReadPlayer(const Entry& player, const FormResolver& resolver);
void ReadGame(const std::optional<Entry>& game, GameGlobals& globals, const FormResolver& resolver);
void ReadSession(const Entry& session);
void ReadCellManager(const Entry& manager, GameGlobals& globals, const FormResolver& resolver);
void ReadConsole(const Entry& console, WorldContents& contents);

}  // namespace sim
