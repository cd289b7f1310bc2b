#include "world/TUnitAccount.h"

#include "world/NumberText.h"

void TUnitAccount::Write(std::wostream& out) const {
  out << L'[' << DecimalText(Type) << L' ' << DecimalText(Lives) << L' ' << DecimalText(Count) << L' '
      << DecimalText(Direction) << L' ' << FloatText(Moves) << L']';
}
