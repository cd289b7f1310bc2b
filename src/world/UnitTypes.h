#pragma once
// The ten unit types. They share every rule; a type decides only its code, the
// folder of its sheets under res/Unit/ and the type line of its information text.

#include <cstdint>
#include <ostream>

#include "world/TUnit.h"
#include "world/TUnitAccount.h"

// Number of unit types; codes run from 0 to kUnitTypeCount - 1.
constexpr int32_t kUnitTypeCount = 10;

// The folder of the type's sheets under res/Unit/ ("Queen" for 8); null for a
// code outside 0 to 9.
const wchar_t* UnitTypeFolder(int32_t in_type);

// Builds the stack of the account's type code with the account's Type, Lives,
// Count, Direction and Moves; the owner is left 0 for the caller to set.
// Returns null for a code outside 0 to 9, which has no class.
TUnit* CreateStack(const TUnitAccount& in_account);

// Type 0, the green swordsman; sheets in res/Unit/GreenKnight/.
class TGreenKnight : public TUnit {
 public:
  TGreenKnight();
  void Describe(std::wostream& out) const override;
};

// Type 1, the black ninja; sheets in res/Unit/BlackNinja/.
class TBlackNinja : public TUnit {
 public:
  TBlackNinja();
  void Describe(std::wostream& out) const override;
};

// Type 2, the thief; sheets in res/Unit/Thief/.
class TThief : public TUnit {
 public:
  TThief();
  void Describe(std::wostream& out) const override;
};

// Type 3, the white mage; sheets in res/Unit/WhiteMage/.
class TWhiteMage : public TUnit {
 public:
  TWhiteMage();
  void Describe(std::wostream& out) const override;
};

// Type 4, the highlander; sheets in res/Unit/Horst/.
class THorst : public TUnit {
 public:
  THorst();
  void Describe(std::wostream& out) const override;
};

// Type 5, the pirate; sheets in res/Unit/Nobeard/.
class TNobeard : public TUnit {
 public:
  TNobeard();
  void Describe(std::wostream& out) const override;
};

// Type 6, the caveman; sheets in res/Unit/Trappercaveman/.
class TTrappercaveman : public TUnit {
 public:
  TTrappercaveman();
  void Describe(std::wostream& out) const override;
};

// Type 7, the crossbowman; sheets in res/Unit/RedArcher/.
class TRedArcher : public TUnit {
 public:
  TRedArcher();
  void Describe(std::wostream& out) const override;
};

// Type 8, the queen; losing it loses the game; sheets in res/Unit/Queen/.
class TQueen : public TUnit {
 public:
  TQueen();
  void Describe(std::wostream& out) const override;
};

// Type 9, the Santa Claus; sheets in res/Unit/JohnDoe/.
class TJohnDoe : public TUnit {
 public:
  TJohnDoe();
  void Describe(std::wostream& out) const override;
};
