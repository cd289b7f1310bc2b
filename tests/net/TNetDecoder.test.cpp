// The protocol's frames: every kind read back as it was written, however the
// stream is cut up; and what a peer may not send (unknown kinds, sizes beyond
// the limits, fields out of range, frames cut short) refused before it is
// used, holding no more than one frame.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "net/NetProtocol.h"
#include "net/TNetDecoder.h"

using NNet::TMessage;
using NNet::TNetDecoder;
using TResult = NNet::TNetDecoder::TResult;

namespace {

NNet::TNetOrder StoppedWalk() {
  NNet::TNetOrder order;
  order.Kind = NNet::TOrderKind::Move;
  order.From = {0, 4095};
  order.To = {4095, 17};
  order.Stopped = true;
  order.StopCell = {300, 2};
  return order;
}

std::vector<TMessage> EveryKind() {
  NNet::TNetOrder noRoute;
  noRoute.Kind = NNet::TOrderKind::NoRoute;
  noRoute.From = {3, 4};
  return {
      NNet::Hello(false, 0xFFFFFFFF, 0x0123456789ABCDEFull),
      NNet::Hello(true, 0, 0),
      NNet::Refuse(NNet::TRefusal::Busy),
      NNet::Start(0xDEADBEEF, 1, std::string("5\r\n\"Red\"\r\n\0\xFF", 12)),
      NNet::Ready(2147483647, 42),
      NNet::OrderMessage(12, StoppedWalk(), 0xFFFFFFFFFFFFFFFFull),
      NNet::OrderMessage(13, NNet::TNetOrder{}, 1),
      NNet::OrderMessage(14, noRoute, 2),
      NNet::DigestMessage(0, 7),
      NNet::Bye(NNet::TByeReason::GameOver),
  };
}

// The fields of the message's kind, as a caller reads them.
void ExpectSame(const TMessage& in_got, const TMessage& in_sent) {
  ASSERT_EQ(in_got.Kind, in_sent.Kind);
  switch (in_sent.Kind) {
    case NNet::TKind::Hello:
      EXPECT_EQ(in_got.Protocol, in_sent.Protocol);
      EXPECT_EQ(in_got.Program, in_sent.Program);
      EXPECT_EQ(in_got.FromHost, in_sent.FromHost);
      EXPECT_EQ(in_got.Code, in_sent.Code);
      EXPECT_EQ(in_got.MapDigest, in_sent.MapDigest);
      break;
    case NNet::TKind::Refuse:
      EXPECT_EQ(in_got.Refusal, in_sent.Refusal);
      EXPECT_EQ(in_got.Program, in_sent.Program);
      break;
    case NNet::TKind::Start:
      EXPECT_EQ(in_got.Seed, in_sent.Seed);
      EXPECT_EQ(in_got.GuestSide, in_sent.GuestSide);
      EXPECT_EQ(in_got.Map, in_sent.Map);
      break;
    case NNet::TKind::Order: EXPECT_EQ(in_got.Order, in_sent.Order); [[fallthrough]];
    case NNet::TKind::Ready:
    case NNet::TKind::Digest:
      EXPECT_EQ(in_got.Turn, in_sent.Turn);
      EXPECT_EQ(in_got.WorldDigest, in_sent.WorldDigest);
      break;
    case NNet::TKind::Bye: EXPECT_EQ(in_got.Bye, in_sent.Bye); break;
    case NNet::TKind::KeepAlive: break;
  }
}

std::string Frame(uint32_t in_length, uint8_t in_kind, const std::string& in_body = {}) {
  std::string bytes;
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<char>((in_length >> shift) & 0xFF));
  bytes.push_back(static_cast<char>(in_kind));
  return bytes + in_body;
}

// Feeds everything and reads the first result that is not NeedMore.
TResult Decode(const std::string& in_bytes, TMessage& out_message, bool in_takesMap = true) {
  TNetDecoder decoder(in_takesMap);
  decoder.Feed(in_bytes.data(), in_bytes.size());
  return decoder.Next(out_message);
}

}  // namespace

TEST(TNetDecoder, EveryKindReadsBackWhateverPiecesTheStreamComesIn) {
  const std::vector<TMessage> sent = EveryKind();
  std::string stream;
  for (const TMessage& message : sent) stream += NNet::Encode(message);
  stream += NNet::Encode(NNet::KeepAlive());

  std::mt19937 random(7);
  for (const size_t piece : {size_t{1}, size_t{3}, size_t{0}}) {
    SCOPED_TRACE(piece);
    TNetDecoder decoder(true);
    std::vector<TMessage> got;
    size_t at = 0;
    while (at < stream.size()) {
      // Piece 0: pieces of random sizes.
      const size_t size = std::min(stream.size() - at, piece ? piece : 1 + random() % 40);
      decoder.Feed(stream.data() + at, size);
      at += size;
      TMessage message;
      TResult result;
      while ((result = decoder.Next(message)) == TResult::Message) got.push_back(message);
      ASSERT_EQ(result, TResult::NeedMore) << decoder.Problem();
    }
    ASSERT_EQ(got.size(), sent.size() + 1);
    for (size_t i = 0; i < sent.size(); ++i) ExpectSame(got[i], sent[i]);
    EXPECT_EQ(got.back().Kind, NNet::TKind::KeepAlive);
    EXPECT_EQ(decoder.Held(), 0u);
  }
}

TEST(TNetDecoder, SizesBeyondTheirKindsLimitBreakTheStreamFromTheHeader) {
  TMessage message;
  // The header alone is enough to refuse: nothing of the body is waited for.
  EXPECT_EQ(Decode(Frame(0xFFFFFFFF, 3), message), TResult::Broken);
  EXPECT_EQ(Decode(Frame(1 + 4 + 1 + 4 + NNet::kMaxMapBytes + 1, 3), message), TResult::Broken);
  EXPECT_EQ(Decode(Frame(NNet::kMaxSmallFrame + 1, 5), message), TResult::Broken);
  EXPECT_EQ(Decode(Frame(257, 1), message), TResult::Broken);
  EXPECT_EQ(Decode(Frame(0, 7), message), TResult::Broken);
  // Kinds there are not.
  EXPECT_EQ(Decode(Frame(1, 0), message), TResult::Broken);
  EXPECT_EQ(Decode(Frame(1, 9), message), TResult::Broken);
  EXPECT_EQ(Decode(Frame(1, 255), message), TResult::Broken);
  // A host's decoder takes no start at all, not even a small one.
  EXPECT_EQ(Decode(NNet::Encode(NNet::Start(1, 0, "map")), message, false), TResult::Broken);

  // The largest start allowed is waited for; what is held is what came.
  TNetDecoder decoder(true);
  const std::string header = Frame(1 + 4 + 1 + 4 + NNet::kMaxMapBytes, 3);
  decoder.Feed(header.data(), header.size());
  EXPECT_EQ(decoder.Next(message), TResult::NeedMore);
  EXPECT_EQ(decoder.Held(), header.size());
}

TEST(TNetDecoder, OnceBrokenNothingMoreIsReadOrHeld) {
  TNetDecoder decoder(true);
  const std::string good = NNet::Encode(NNet::Bye(NNet::TByeReason::Left));
  const std::string bad = Frame(2, 8, "\x09");
  const std::string stream = good + bad + good;
  decoder.Feed(stream.data(), stream.size());
  TMessage message;
  EXPECT_EQ(decoder.Next(message), TResult::Message);
  EXPECT_EQ(decoder.Next(message), TResult::Broken);
  EXPECT_FALSE(decoder.Problem().empty());
  EXPECT_EQ(decoder.Held(), 0u);
  decoder.Feed(good.data(), good.size());
  EXPECT_EQ(decoder.Next(message), TResult::Broken);
  EXPECT_EQ(decoder.Held(), 0u);
}

TEST(TNetDecoder, FieldsOutOfTheirRangesAreRefused) {
  auto order = [](const NNet::TNetOrder& in_order, int32_t in_turn = 0) {
    return NNet::Encode(NNet::OrderMessage(in_turn, in_order, 0));
  };
  NNet::TNetOrder offMap = StoppedWalk();
  offMap.To.Column = 4096;
  NNet::TNetOrder passWithCells;
  passWithCells.From = {1, 1};
  NNet::TNetOrder noRouteWithTarget;
  noRouteWithTarget.Kind = NNet::TOrderKind::NoRoute;
  noRouteWithTarget.To = {2, 2};
  NNet::TNetOrder stoppedPass;
  stoppedPass.Stopped = true;
  NNet::TNetOrder stopCellUnstopped = StoppedWalk();
  stopCellUnstopped.Stopped = false;
  std::string unknownOrder = order(NNet::TNetOrder{});
  unknownOrder[9] = 3;
  std::string neitherStopped = order(StoppedWalk());
  neitherStopped[18] = 2;
  std::string negativeTurn = order(NNet::TNetOrder{}, -1);
  std::string hostByteTwo = NNet::Encode(NNet::Hello(true, 1, 2));
  hostByteTwo[5 + 4 + 2 + 1 + std::string(NNet::ProgramVersion()).size()] = 2;
  std::string badMark = NNet::Encode(NNet::Hello(true, 1, 2));
  badMark[5] = 'X';
  NNet::TMessage controlInVersion = NNet::Hello(false, 1, 2);
  controlInVersion.Program = "1.0\n";
  std::string startSide = NNet::Encode(NNet::Start(1, 0, "m"));
  startSide[9] = 2;
  std::string startLength = NNet::Encode(NNet::Start(1, 0, "map"));
  startLength[13] = 2;  // claims 2 bytes of map, 3 follow
  const std::string cases[] = {
      order(offMap), order(passWithCells), order(noRouteWithTarget), order(stoppedPass), order(stopCellUnstopped),
      unknownOrder, neitherStopped, negativeTurn, hostByteTwo, badMark, NNet::Encode(controlInVersion),
      startSide, startLength, NNet::Encode(NNet::Start(1, 0, "")),
      Frame(14, 4, std::string(13, 0)),     // a ready one byte too long
      Frame(2, 7, "x"),                      // a keep-alive with a body
      Frame(2, 2, std::string("\x05", 1)),   // a refusal for no known reason, cut short
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    TMessage message;
    EXPECT_EQ(Decode(cases[i], message), TResult::Broken);
  }
}

TEST(TNetDecoder, AHelloOfAnotherProtocolIsReadForItsVersionAlone) {
  // A later version's hello may carry more; its first six bytes tell what it is.
  const std::string later = Frame(1 + 4 + 2 + 40, 1, std::string("KRMB\x00\x02", 6) + std::string(40, 'z'));
  TMessage message;
  ASSERT_EQ(Decode(later, message, false), TResult::Message);
  EXPECT_EQ(message.Kind, NNet::TKind::Hello);
  EXPECT_EQ(message.Protocol, 2);
}

TEST(NetProtocol, TheOrderFrameIsLaidOutByteForByte) {
  // What another build of the program reads: these bytes stay as they are
  // for this protocol version.
  const std::string frame = NNet::Encode(NNet::OrderMessage(0x01020304, StoppedWalk(), 0x1122334455667788ull));
  const std::string expected("\x00\x00\x00\x1B\x05"
                             "\x01\x02\x03\x04"
                             "\x01"
                             "\x00\x00\x0F\xFF"
                             "\x0F\xFF\x00\x11"
                             "\x01"
                             "\x01\x2C\x00\x02"
                             "\x11\x22\x33\x44\x55\x66\x77\x88",
                             31);
  EXPECT_EQ(frame, expected);
  EXPECT_EQ(NNet::Encode(NNet::KeepAlive()), std::string("\x00\x00\x00\x01\x07", 5));
}
