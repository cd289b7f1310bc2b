#pragma once
// Reads messages out of the bytes a peer sends, however they are cut up on
// the way. Nothing is trusted: a frame whose kind is unknown, whose length is
// beyond its kind's limit or not what its kind has, or whose fields are out
// of their ranges breaks the stream, and from then on nothing more is read.
// It keeps at most one frame (and what came after it in the same piece), so
// a peer cannot make it hold more than the largest frame allows.

#include <cstddef>
#include <cstdint>
#include <string>

#include "net/NetProtocol.h"

namespace NNet {

class TNetDecoder {
 public:
  enum class TResult { NeedMore, Message, Broken };

  // in_takesMap: whether a start (the one large frame) may come; a host's
  // decoder refuses it from its header.
  explicit TNetDecoder(bool in_takesMap) : TakesMap_(in_takesMap) {}

  // Takes the next bytes of the stream. Does nothing once it is broken.
  void Feed(const char* in_data, size_t in_size);
  // The next whole message, when there is one; Broken when the stream is
  // broken (Problem says why).
  TResult Next(TMessage& out_message);

  bool Broken() const { return !Problem_.empty(); }
  // Why the stream is broken, in a few words of English for the log; empty if it is not.
  const std::string& Problem() const { return Problem_; }
  // The bytes held now.
  size_t Held() const { return Buffer_.size() - Start_; }

 private:
  TResult Fail(const std::string& in_problem);
  // Reads the fields of a frame's body into the message; false (with Problem set) if they are wrong.
  bool DecodeBody(TKind in_kind, const char* in_body, size_t in_size, TMessage& out_message);

  bool TakesMap_;
  std::string Buffer_;
  // Where the first byte not yet read lies in Buffer_.
  size_t Start_ = 0;
  std::string Problem_;
};

}  // namespace NNet
