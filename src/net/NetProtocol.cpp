#include "net/NetProtocol.h"

#include <algorithm>

#ifndef KRAMBOL_PROGRAM_VERSION
#define KRAMBOL_PROGRAM_VERSION "0"
#endif

namespace NNet {

namespace {

void Put(std::string& out_bytes, uint64_t in_value, size_t in_bytes) {
  for (size_t i = in_bytes; i-- > 0;) out_bytes.push_back(static_cast<char>((in_value >> (8 * i)) & 0xFF));
}

void PutCell(std::string& out_bytes, const TCellRef& in_cell) {
  Put(out_bytes, static_cast<uint16_t>(in_cell.Column), 2);
  Put(out_bytes, static_cast<uint16_t>(in_cell.Row), 2);
}

// A program version: its length, then its bytes, cut at the limit.
void PutText(std::string& out_bytes, const std::string& in_text) {
  const std::string text = in_text.substr(0, kMaxProgramVersion);
  Put(out_bytes, text.size(), 1);
  out_bytes += text;
}

TMessage Of(TKind in_kind) {
  TMessage message;
  message.Kind = in_kind;
  return message;
}

}  // namespace

const char* ProgramVersion() { return KRAMBOL_PROGRAM_VERSION; }

const char* KindName(TKind in_kind) {
  switch (in_kind) {
    case TKind::Hello: return "hello";
    case TKind::Refuse: return "refuse";
    case TKind::Start: return "start";
    case TKind::Ready: return "ready";
    case TKind::Order: return "order";
    case TKind::Digest: return "digest";
    case TKind::KeepAlive: return "keep-alive";
    case TKind::Bye: return "bye";
  }
  return "?";
}

TMessage Hello(bool in_fromHost, uint32_t in_code, uint64_t in_mapDigest) {
  TMessage message = Of(TKind::Hello);
  message.Program = ProgramVersion();
  message.FromHost = in_fromHost;
  message.Code = in_code;
  message.MapDigest = in_mapDigest;
  return message;
}

TMessage Refuse(TRefusal in_reason) {
  TMessage message = Of(TKind::Refuse);
  message.Refusal = in_reason;
  message.Program = ProgramVersion();
  return message;
}

TMessage Start(uint32_t in_seed, int32_t in_guestSide, std::string in_map) {
  TMessage message = Of(TKind::Start);
  message.Seed = in_seed;
  message.GuestSide = in_guestSide;
  message.Map = std::move(in_map);
  return message;
}

TMessage Ready(int32_t in_turn, uint64_t in_digest) {
  TMessage message = Of(TKind::Ready);
  message.Turn = in_turn;
  message.WorldDigest = in_digest;
  return message;
}

TMessage OrderMessage(int32_t in_turn, const TNetOrder& in_order, uint64_t in_digest) {
  TMessage message = Of(TKind::Order);
  message.Turn = in_turn;
  message.Order = in_order;
  message.WorldDigest = in_digest;
  return message;
}

TMessage DigestMessage(int32_t in_turn, uint64_t in_digest) {
  TMessage message = Of(TKind::Digest);
  message.Turn = in_turn;
  message.WorldDigest = in_digest;
  return message;
}

TMessage KeepAlive() { return Of(TKind::KeepAlive); }

TMessage Bye(TByeReason in_reason) {
  TMessage message = Of(TKind::Bye);
  message.Bye = in_reason;
  return message;
}

std::string Encode(const TMessage& in_message) {
  std::string body;
  switch (in_message.Kind) {
    case TKind::Hello: {
      body.append(kHelloMark, 4);
      Put(body, in_message.Protocol, 2);
      PutText(body, in_message.Program);
      Put(body, in_message.FromHost ? 1 : 0, 1);
      Put(body, in_message.Code, 4);
      Put(body, in_message.MapDigest, 8);
      break;
    }
    case TKind::Refuse:
      Put(body, static_cast<uint8_t>(in_message.Refusal), 1);
      PutText(body, in_message.Program);
      break;
    case TKind::Start: {
      Put(body, in_message.Seed, 4);
      Put(body, static_cast<uint8_t>(in_message.GuestSide), 1);
      const size_t length = std::min<size_t>(in_message.Map.size(), kMaxMapBytes);
      Put(body, length, 4);
      body.append(in_message.Map, 0, length);
      break;
    }
    case TKind::Ready:
    case TKind::Digest:
      Put(body, static_cast<uint32_t>(in_message.Turn), 4);
      Put(body, in_message.WorldDigest, 8);
      break;
    case TKind::Order:
      Put(body, static_cast<uint32_t>(in_message.Turn), 4);
      Put(body, static_cast<uint8_t>(in_message.Order.Kind), 1);
      PutCell(body, in_message.Order.From);
      PutCell(body, in_message.Order.To);
      Put(body, in_message.Order.Stopped ? 1 : 0, 1);
      PutCell(body, in_message.Order.StopCell);
      Put(body, in_message.WorldDigest, 8);
      break;
    case TKind::KeepAlive: break;
    case TKind::Bye: Put(body, static_cast<uint8_t>(in_message.Bye), 1); break;
  }
  std::string frame;
  frame.reserve(5 + body.size());
  Put(frame, body.size() + 1, 4);
  Put(frame, static_cast<uint8_t>(in_message.Kind), 1);
  frame += body;
  return frame;
}

uint64_t DigestOf(const std::string& in_bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : in_bytes) {
    hash ^= static_cast<uint8_t>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace NNet
