#include "world/CellInfo.h"

#include <sstream>

#include "world/TCell.h"
#include "world/TPlace.h"
#include "world/TUnit.h"

std::wstring* InfoTextTarget = nullptr;

void DescribeCell(const TCell* in_cell, std::wstring& out_text) {
  std::wostringstream text;
  if (in_cell && in_cell->Unit)
    in_cell->Unit->Describe(text);
  else if (in_cell && in_cell->Place)
    in_cell->Place->Describe(text);
  else
    text << L"Местность";
  out_text = text.str();
}
