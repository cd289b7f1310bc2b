#pragma once
// The messages two copies of the program exchange to play one game over the
// network, and their bytes.
//
// Every message is one frame: a 4-byte length (most significant byte first)
// of what follows, a 1-byte kind, then the kind's fields. Numbers are
// unsigned and most significant byte first; a text or the map is a length
// and its bytes. Every kind has a hard size limit, checked from the header
// before a byte of the body is kept, and every field is checked before it is
// used (see TNetDecoder). The first six bytes of a hello (the mark "KRMB" and
// the protocol version) stay the same in every version, so that any version
// can tell another that they cannot play together.
//
//   kind  name       fields (bytes)                                        from
//   1     hello      "KRMB" 4, protocol 2, program version 1+n (n <= 32),  both, guest first
//                    host 1, join code 4, map digest 8
//   2     refuse     reason 1, program version 1+n (n <= 32)               host
//   3     start      seed 4, guest's side 1, map 4+n (n <= kMaxMapBytes)   host
//   4     ready      turn 4, world digest 8                                guest
//   5     order      turn 4, kind 1, from 2+2, to 2+2, stopped 1,          the side that moved
//                    stop cell 2+2, world digest after it 8
//   6     digest     turn 4, world digest 8                                the side that replayed
//   7     keep-alive (nothing)                                             both
//   8     bye        reason 1                                              both

#include <cstddef>
#include <cstdint>
#include <string>

namespace NNet {

constexpr uint16_t kProtocolVersion = 1;
// The mark that opens every hello.
constexpr char kHelloMark[] = "KRMB";
// The longest program version a hello carries.
constexpr size_t kMaxProgramVersion = 32;
// The largest map a start carries: far more than any map the reader takes
// (at most kMaxMapCells cells of a few dozen bytes each) is ever written as.
constexpr uint32_t kMaxMapBytes = 64u << 20;
// The largest frame of a kind other than start.
constexpr uint32_t kMaxSmallFrame = 64;
// The most cells a map may have on a side, as the reader allows.
constexpr int32_t kMaxCellIndex = 4095;

// Nothing sent for this long: a keep-alive goes out.
constexpr uint32_t kKeepAliveMs = 5000;
// Nothing heard for this long: the peer is gone.
constexpr uint32_t kSilenceMs = 30000;
// A connection that gives no right hello within this long is closed.
constexpr uint32_t kHelloMs = 10000;
// One address that neither takes nor refuses a connection within this long
// is given up for the next.
constexpr uint32_t kConnectMs = 15000;

// The program's version, as hellos carry it.
const char* ProgramVersion();

enum class TKind : uint8_t { Hello = 1, Refuse = 2, Start = 3, Ready = 4, Order = 5, Digest = 6, KeepAlive = 7, Bye = 8 };
// The kind's name for a trace ("order"); "?" for a byte that names no kind.
const char* KindName(TKind in_kind);

enum class TRefusal : uint8_t {
  WrongCode = 1,      // the join code is not the host's
  WrongProtocol = 2,  // another protocol version
  WrongProgram = 3,   // another program version
  Busy = 4,           // the host has a guest already
};

enum class TByeReason : uint8_t {
  Left = 1,      // the player left the game (the menu, another game, the window closed)
  Mismatch = 2,  // the positions differ
  Broken = 3,    // the peer sent what cannot be
  GameOver = 4,  // the game was won: nothing more comes
};

enum class TOrderKind : uint8_t {
  Pass = 0,     // "Пропустить Ход."
  Move = 1,     // a stack selected and an order along the route to a cell
  NoRoute = 2,  // a stack selected and an order given with no route: the turn passes
};

struct TCellRef {
  int32_t Column = 0;
  int32_t Row = 0;
  bool operator==(const TCellRef&) const = default;
};

// An order as the player gave it: what was selected and where the route led,
// and whether a right click stopped the walk, with the cell it stopped on.
struct TNetOrder {
  TOrderKind Kind = TOrderKind::Pass;
  TCellRef From;
  TCellRef To;
  bool Stopped = false;
  TCellRef StopCell;
  bool operator==(const TNetOrder&) const = default;
};

// One message; only the fields of its kind mean anything.
struct TMessage {
  TKind Kind = TKind::KeepAlive;
  // hello
  uint16_t Protocol = kProtocolVersion;
  std::string Program;
  bool FromHost = false;
  uint32_t Code = 0;
  uint64_t MapDigest = 0;
  // refuse
  TRefusal Refusal = TRefusal::WrongCode;
  // start
  uint32_t Seed = 0;
  int32_t GuestSide = 0;
  std::string Map;
  // ready, order, digest
  int32_t Turn = 0;
  uint64_t WorldDigest = 0;
  // order
  TNetOrder Order;
  // bye
  TByeReason Bye = TByeReason::Left;
};

TMessage Hello(bool in_fromHost, uint32_t in_code, uint64_t in_mapDigest);
// Carries this program's version, so that a guest can say which the host has.
TMessage Refuse(TRefusal in_reason);
TMessage Start(uint32_t in_seed, int32_t in_guestSide, std::string in_map);
TMessage Ready(int32_t in_turn, uint64_t in_digest);
TMessage OrderMessage(int32_t in_turn, const TNetOrder& in_order, uint64_t in_digest);
TMessage DigestMessage(int32_t in_turn, uint64_t in_digest);
TMessage KeepAlive();
TMessage Bye(TByeReason in_reason);

// The frame of a message. Fields out of their ranges are written as they are
// (the decoder refuses them), except that texts and the map are cut at their limits.
std::string Encode(const TMessage& in_message);

// The digest of a run of bytes (64-bit FNV-1a).
uint64_t DigestOf(const std::string& in_bytes);

}  // namespace NNet
