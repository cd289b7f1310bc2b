// Feeds arbitrary bytes, as a peer on the network would send them, to the
// protocol's decoder, cut into pieces the input chooses. Whatever they hold,
// decoding must not crash or hang, must hold no more than one frame of its
// kind's limit beyond what came in the last piece, and every message it
// gives must be written back by the encoder as the very bytes it came in.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/NetProtocol.h"
#include "net/TNetDecoder.h"

namespace {

// The most a decoder may hold: the largest frame it takes, and a piece.
constexpr size_t kMostHeld = 4 + 1 + 4 + 1 + 4 + size_t{NNet::kMaxMapBytes};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first byte: whether the decoder is a guest's (it takes a start) and
  // the size of the pieces the stream comes in (0: all at once).
  const bool takesMap = (data[0] & 0x80) != 0;
  const size_t piece = data[0] & 0x7F;
  const std::string stream(reinterpret_cast<const char*>(data + 1), size - 1);

  NNet::TNetDecoder decoder(takesMap);
  size_t at = 0;
  // Where the frame being read starts in the stream.
  size_t frameStart = 0;
  while (at < stream.size() && !decoder.Broken()) {
    const size_t count = piece == 0 ? stream.size() - at : std::min(piece, stream.size() - at);
    decoder.Feed(stream.data() + at, count);
    at += count;
    if (decoder.Held() > kMostHeld + count) std::abort();
    NNet::TMessage message;
    NNet::TNetDecoder::TResult result;
    while ((result = decoder.Next(message)) == NNet::TNetDecoder::TResult::Message) {
      const std::string frame = NNet::Encode(message);
      const bool later = message.Kind == NNet::TKind::Hello && message.Protocol != NNet::kProtocolVersion;
      // Another protocol's hello is taken for its version alone, so it is not
      // written back as it came.
      if (!later && stream.compare(frameStart, frame.size(), frame) != 0) std::abort();
      if (later) {
        const size_t length = (size_t{static_cast<uint8_t>(stream[frameStart])} << 24) |
                              (size_t{static_cast<uint8_t>(stream[frameStart + 1])} << 16) |
                              (size_t{static_cast<uint8_t>(stream[frameStart + 2])} << 8) |
                              size_t{static_cast<uint8_t>(stream[frameStart + 3])};
        frameStart += 4 + length;
      } else {
        frameStart += frame.size();
      }
    }
    if (result == NNet::TNetDecoder::TResult::Broken && decoder.Problem().empty()) std::abort();
  }
  return 0;
}
