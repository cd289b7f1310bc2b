#pragma once
// The information text of a cell, shown by the game screen's side menu while
// the right button is held on the cell.

#include <string>

class TCell;

// Where the cell windows put the information text: the side menu points this at
// its own text when it is built and sets it back to null when it is destroyed.
// While it is null the text goes nowhere.
extern std::wstring* InfoTextTarget;

// Replaces out_text with the information text of in_cell: its stack's text if
// it has a stack, otherwise its place's text if it has a place, otherwise
// "Местность". A null cell counts as bare ground.
void DescribeCell(const TCell* in_cell, std::wstring& out_text);
