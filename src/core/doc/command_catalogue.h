#pragma once

#include "doc/fir_commands.h"

#include <span>
#include <string_view>

// Where a command's item stands.
enum class ECommandMenu { File, Fir };

using FDialogCommand = bool (*)(CFirDoc&, CCommandDialogs&);
using FPartsCommand = bool (*)(CFirDoc&, CCommandDialogs&, EParts);
using FPlainCommand = bool (*)(CFirDoc&);

// One row per project command: the one place of its identity, its menu item, the command-line
// word of `run` and the function that runs it. The FIR menu, the File menu's import and export
// and `run` are made from these rows, in this order.
struct SCommandInfo {
    ECommand id;
    ECommandMenu menu;
    bool separatorBefore; // a separator goes before the item in its menu
    const char* caption;  // the menu item; for a command with variants, its submenu's title
    const char* word;     // the word of `run`; "" for a command `run` does not offer
    // Exactly one of the three runs the command; runParts marks a command with the three
    // variants inphase, quadrature and complex (a submenu; `run WORD PARTS`).
    FDialogCommand run = nullptr;
    FPartsCommand runParts = nullptr;
    FPlainCommand runPlain = nullptr;
};

// The variants of the commands that take one: the submenu item and the word of `run`.
struct SPartsVariant {
    EParts parts;
    const char* caption;
    const char* word;
};

std::span<const SCommandInfo> CommandCatalogue();
// The row of a command.
const SCommandInfo& CommandInfo(ECommand id);
// The row whose `run` word is `word`, or nullptr.
const SCommandInfo* FindCommandByWord(std::string_view word);
// Inphase, quadrature, complex: in the order of the submenus.
std::span<const SPartsVariant> PartsVariants();

// Runs the command of a row on doc (parts: the variant of a command that takes one).
bool RunCommand(const SCommandInfo& command, CFirDoc& doc, CCommandDialogs& dialogs,
                EParts parts = EParts::Inphase);
