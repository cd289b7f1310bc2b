#include "net/TNetDecoder.h"

#include <cstring>
#include <limits>

namespace NNet {

namespace {

constexpr size_t kHeader = 5;
// A hello may grow in later versions; this much of one is still read, so
// that it can be told that the versions differ.
constexpr uint32_t kMaxHelloFrame = 256;

// Reads numbers most significant byte first from a body, never past its end.
class TFieldReader {
 public:
  TFieldReader(const char* in_data, size_t in_size) : Data_(reinterpret_cast<const uint8_t*>(in_data)), Size_(in_size) {}

  bool Has(size_t in_count) const { return Size_ - At_ >= in_count; }
  size_t Left() const { return Size_ - At_; }

  uint64_t Number(size_t in_bytes) {
    uint64_t value = 0;
    for (size_t i = 0; i < in_bytes; ++i) value = (value << 8) | Data_[At_++];
    return value;
  }

  std::string Bytes(size_t in_count) {
    std::string bytes(reinterpret_cast<const char*>(Data_ + At_), in_count);
    At_ += in_count;
    return bytes;
  }

 private:
  const uint8_t* Data_;
  size_t Size_;
  size_t At_ = 0;
};

// The most a frame of the kind may hold after its length field; 0 for no such kind.
uint32_t LimitOf(uint8_t in_kind, bool in_takesMap) {
  switch (static_cast<TKind>(in_kind)) {
    case TKind::Hello: return kMaxHelloFrame;
    case TKind::Start: return in_takesMap ? 1 + 4 + 1 + 4 + kMaxMapBytes : 0;
    case TKind::Refuse:
    case TKind::Ready:
    case TKind::Order:
    case TKind::Digest:
    case TKind::KeepAlive:
    case TKind::Bye: return kMaxSmallFrame;
  }
  return 0;
}

bool CellInRange(const TCellRef& in_cell) {
  return in_cell.Column >= 0 && in_cell.Column <= kMaxCellIndex && in_cell.Row >= 0 && in_cell.Row <= kMaxCellIndex;
}

TCellRef ReadCell(TFieldReader& in_reader) {
  TCellRef cell;
  cell.Column = static_cast<int32_t>(in_reader.Number(2));
  cell.Row = static_cast<int32_t>(in_reader.Number(2));
  return cell;
}

// A turn counter: never negative in a game.
bool ReadTurn(TFieldReader& in_reader, int32_t& out_turn) {
  const uint64_t turn = in_reader.Number(4);
  if (turn > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return false;
  out_turn = static_cast<int32_t>(turn);
  return true;
}

// A program version (its length, then plain text), which in_after more bytes
// follow to the end of the body.
bool ReadVersion(TFieldReader& in_reader, size_t in_after, std::string& out_version) {
  if (!in_reader.Has(1)) return false;
  const size_t length = static_cast<size_t>(in_reader.Number(1));
  if (length > kMaxProgramVersion || in_reader.Left() != length + in_after) return false;
  out_version = in_reader.Bytes(length);
  for (const char c : out_version)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

}  // namespace

void TNetDecoder::Feed(const char* in_data, size_t in_size) {
  if (Broken() || !in_data || in_size == 0) return;
  if (Start_ > 0 && Start_ >= Buffer_.size() / 2) {
    Buffer_.erase(0, Start_);
    Start_ = 0;
  }
  Buffer_.append(in_data, in_size);
}

TNetDecoder::TResult TNetDecoder::Fail(const std::string& in_problem) {
  Problem_ = in_problem;
  Buffer_.clear();
  Buffer_.shrink_to_fit();
  Start_ = 0;
  return TResult::Broken;
}

TNetDecoder::TResult TNetDecoder::Next(TMessage& out_message) {
  if (Broken()) return TResult::Broken;
  const size_t held = Held();
  if (held < kHeader) return TResult::NeedMore;
  const auto* header = reinterpret_cast<const uint8_t*>(Buffer_.data() + Start_);
  const uint32_t length = (uint32_t{header[0]} << 24) | (uint32_t{header[1]} << 16) | (uint32_t{header[2]} << 8) |
                          uint32_t{header[3]};
  const uint8_t kind = header[4];
  const uint32_t limit = LimitOf(kind, TakesMap_);
  if (limit == 0) return Fail("a frame of kind " + std::to_string(kind) + " that cannot come");
  if (length < 1 || length > limit)
    return Fail("a frame of kind " + std::to_string(kind) + " claiming " + std::to_string(length) + " bytes");
  if (held < 4 + size_t{length}) return TResult::NeedMore;
  TMessage message;
  message.Kind = static_cast<TKind>(kind);
  if (!DecodeBody(message.Kind, Buffer_.data() + Start_ + kHeader, length - 1, message)) return TResult::Broken;
  Start_ += 4 + size_t{length};
  if (Start_ == Buffer_.size()) {
    Buffer_.clear();
    Start_ = 0;
  }
  out_message = std::move(message);
  return TResult::Message;
}

bool TNetDecoder::DecodeBody(TKind in_kind, const char* in_body, size_t in_size, TMessage& out_message) {
  TFieldReader reader(in_body, in_size);
  auto wrong = [this, in_kind](const char* in_what) {
    Fail(std::string("a ") + in_what + " in a frame of kind " + std::to_string(static_cast<int>(in_kind)));
    return false;
  };
  auto exact = [&](size_t in_count) { return in_size == in_count; };
  switch (in_kind) {
    case TKind::Hello: {
      if (!reader.Has(6) || reader.Bytes(4) != std::string(kHelloMark, 4)) return wrong("hello without its mark");
      out_message.Protocol = static_cast<uint16_t>(reader.Number(2));
      // Another version's hello is taken for its version alone.
      if (out_message.Protocol != kProtocolVersion) return true;
      if (!ReadVersion(reader, 1 + 4 + 8, out_message.Program)) return wrong("hello of the wrong size");
      const uint64_t host = reader.Number(1);
      if (host > 1) return wrong("hello from neither side");
      out_message.FromHost = host == 1;
      out_message.Code = static_cast<uint32_t>(reader.Number(4));
      out_message.MapDigest = reader.Number(8);
      return true;
    }
    case TKind::Refuse: {
      if (!reader.Has(1)) return wrong("refusal cut short");
      const uint64_t reason = reader.Number(1);
      if (reason < 1 || reason > 4) return wrong("refusal for no known reason");
      out_message.Refusal = static_cast<TRefusal>(reason);
      if (!ReadVersion(reader, 0, out_message.Program)) return wrong("refusal of the wrong size");
      return true;
    }
    case TKind::Start: {
      if (!reader.Has(9)) return wrong("start cut short");
      out_message.Seed = static_cast<uint32_t>(reader.Number(4));
      const uint64_t side = reader.Number(1);
      if (side > 1) return wrong("start for a side there is not");
      out_message.GuestSide = static_cast<int32_t>(side);
      const uint64_t mapLength = reader.Number(4);
      if (mapLength == 0 || mapLength > kMaxMapBytes || reader.Left() != mapLength)
        return wrong("start whose map is not its size");
      out_message.Map = reader.Bytes(static_cast<size_t>(mapLength));
      return true;
    }
    case TKind::Ready:
    case TKind::Digest: {
      if (!exact(12)) return wrong("digest of the wrong size");
      if (!ReadTurn(reader, out_message.Turn)) return wrong("negative turn");
      out_message.WorldDigest = reader.Number(8);
      return true;
    }
    case TKind::Order: {
      if (!exact(26)) return wrong("order of the wrong size");
      if (!ReadTurn(reader, out_message.Turn)) return wrong("negative turn");
      TNetOrder& order = out_message.Order;
      const uint64_t kind = reader.Number(1);
      if (kind > 2) return wrong("order of no known kind");
      order.Kind = static_cast<TOrderKind>(kind);
      order.From = ReadCell(reader);
      order.To = ReadCell(reader);
      const uint64_t stopped = reader.Number(1);
      if (stopped > 1) return wrong("order neither stopped nor not");
      order.Stopped = stopped == 1;
      order.StopCell = ReadCell(reader);
      out_message.WorldDigest = reader.Number(8);
      if (!CellInRange(order.From) || !CellInRange(order.To) || !CellInRange(order.StopCell))
        return wrong("cell off any map");
      const TCellRef none;
      // What a kind of order does not have is not there.
      if (order.Kind == TOrderKind::Pass && !(order.From == none && order.To == none))
        return wrong("pass with cells");
      if (order.Kind == TOrderKind::NoRoute && !(order.To == none)) return wrong("order without a route with a target");
      if (order.Kind != TOrderKind::Move && order.Stopped) return wrong("stopped walk of an order that has none");
      if (!order.Stopped && !(order.StopCell == none)) return wrong("stop cell of a walk that was not stopped");
      return true;
    }
    case TKind::KeepAlive:
      if (!exact(0)) return wrong("keep-alive with a body");
      return true;
    case TKind::Bye: {
      if (!exact(1)) return wrong("goodbye of the wrong size");
      const uint64_t reason = reader.Number(1);
      if (reason < 1 || reason > 4) return wrong("goodbye for no known reason");
      out_message.Bye = static_cast<TByeReason>(reason);
      return true;
    }
  }
  return wrong("frame");
}

}  // namespace NNet
