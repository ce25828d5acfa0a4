#pragma once
// What a desktop program offers beyond the original menus: the file
// commands, an edit menu with undo and redo, a tool bar of the common
// commands, keyboard shortcuts, a tools menu, the structure kind as a choice
// on the form, the manual, and a status bar that is always there.
class TForm1;
class QComboBox;

// Built once, after the controls and menus exist.
void BuildDesktop(TForm1& form);

// The structure kind on the form: L型擁壁, ベース, U型側溝 (0, 1, 2).
QComboBox* StructureChoice(const TForm1& form);
