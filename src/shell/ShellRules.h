#pragma once

class cmcCellCapsule;

// The rules of the command cells (menus, tool bar, tree) for a program that runs without
// the model cell rules: Enter runs the cell's command through the rules host, every other
// request sets the check mark, the disabled and hidden states and the caption. Every other
// cell shows its number and " *Yet*". context is the indRulesHost.
int ShellRules(void* context, cmcCellCapsule* capsule, int mode);
