#include "world/UnitTypes.h"

const wchar_t* UnitTypeFolder(int32_t in_type) {
  static const wchar_t* const kFolders[kUnitTypeCount] = {
    L"GreenKnight",
    L"BlackNinja",
    L"Thief",
    L"WhiteMage",
    L"Horst",
    L"Nobeard",
    L"Trappercaveman",
    L"RedArcher",
    L"Queen",
    L"JohnDoe",
  };
  return in_type >= 0 && in_type < kUnitTypeCount ? kFolders[in_type] : nullptr;
}

TGreenKnight::TGreenKnight() : TUnit(UnitAnimationPaths(UnitTypeFolder(0))) { Type = 0; }

void TGreenKnight::Describe(std::wostream& out) const {
  out << L"Тип: " << L"Зеленый мечник\n";
  DescribeNumbers(out);
}

TBlackNinja::TBlackNinja() : TUnit(UnitAnimationPaths(UnitTypeFolder(1))) { Type = 1; }

void TBlackNinja::Describe(std::wostream& out) const {
  out << L"Тип: " << L"Чёрный нинзя\n";
  DescribeNumbers(out);
}

TThief::TThief() : TUnit(UnitAnimationPaths(UnitTypeFolder(2))) { Type = 2; }

void TThief::Describe(std::wostream& out) const {
  out << L"Тип: Вор\n";
  DescribeNumbers(out);
}

TWhiteMage::TWhiteMage() : TUnit(UnitAnimationPaths(UnitTypeFolder(3))) { Type = 3; }

void TWhiteMage::Describe(std::wostream& out) const {
  out << L"Тип: " << L"Белый Маг\n";
  DescribeNumbers(out);
}

THorst::THorst() : TUnit(UnitAnimationPaths(UnitTypeFolder(4))) { Type = 4; }

void THorst::Describe(std::wostream& out) const {
  out << L"Тип: " << L"Горец\n";
  DescribeNumbers(out);
}

TNobeard::TNobeard() : TUnit(UnitAnimationPaths(UnitTypeFolder(5))) { Type = 5; }

void TNobeard::Describe(std::wostream& out) const {
  out << L"Тип: " << L"Пират\n";
  DescribeNumbers(out);
}

TTrappercaveman::TTrappercaveman() : TUnit(UnitAnimationPaths(UnitTypeFolder(6))) { Type = 6; }

void TTrappercaveman::Describe(std::wostream& out) const {
  out << L"Тип: пещерный человек\n";
  DescribeNumbers(out);
}

TRedArcher::TRedArcher() : TUnit(UnitAnimationPaths(UnitTypeFolder(7))) { Type = 7; }

void TRedArcher::Describe(std::wostream& out) const {
  out << L"Тип: " << L"Арбалетчик\n";
  DescribeNumbers(out);
}

TQueen::TQueen() : TUnit(UnitAnimationPaths(UnitTypeFolder(8))) { Type = 8; }

void TQueen::Describe(std::wostream& out) const {
  out << L"Тип: " << L"Королева\n";
  DescribeNumbers(out);
}

TJohnDoe::TJohnDoe() : TUnit(UnitAnimationPaths(UnitTypeFolder(9))) { Type = 9; }

void TJohnDoe::Describe(std::wostream& out) const {
  out << L"Тип: " << L"Санта Клаус\n";
  DescribeNumbers(out);
}

TUnit* CreateStack(const TUnitAccount& in_account) {
  TUnit* unit = nullptr;
  switch (in_account.Type) {
    case 0:
      unit = new TGreenKnight();
      break;
    case 1:
      unit = new TBlackNinja();
      break;
    case 2:
      unit = new TThief();
      break;
    case 3:
      unit = new TWhiteMage();
      break;
    case 4:
      unit = new THorst();
      break;
    case 5:
      unit = new TNobeard();
      break;
    case 6:
      unit = new TTrappercaveman();
      break;
    case 7:
      unit = new TRedArcher();
      break;
    case 8:
      unit = new TQueen();
      break;
    case 9:
      unit = new TJohnDoe();
      break;
    default:
      return nullptr;
  }
  unit->Type = in_account.Type;
  unit->Lives = in_account.Lives;
  unit->Count = in_account.Count;
  unit->Direction = in_account.Direction;
  unit->Moves = in_account.Moves;
  return unit;
}
