// The versus program's command line: how it splits, what it starts, and the
// mistakes it refuses before any window opens.
#include "versus/TLaunchOptions.h"

#include <gtest/gtest.h>

namespace {

// Parses in_line; the error text, or "" when it was taken.
std::string Refusal(const char* in_line, TLaunchOptions* out_options = nullptr) {
  TLaunchOptions options;
  std::string error;
  if (!ParseLaunchOptions(SplitCommandLine(in_line), options, error)) return error.empty() ? "?" : error;
  if (out_options) *out_options = options;
  return "";
}

}  // namespace

TEST(TLaunchOptions, SplitsAtBlanksKeepsQuotedBlanksAndEscapedQuotes) {
  EXPECT_EQ(SplitCommandLine(""), std::vector<std::string>{});
  EXPECT_EQ(SplitCommandLine("  --host \t --map  a.map "), (std::vector<std::string>{"--host", "--map", "a.map"}));
  EXPECT_EQ(SplitCommandLine("--map \"my maps\\duel.map\" --result \"\""),
            (std::vector<std::string>{"--map", "my maps\\duel.map", "--result", ""}));
  EXPECT_EQ(SplitCommandLine("a\\\"b \"c \\\" d\""), (std::vector<std::string>{"a\"b", "c \" d"}));
}

TEST(TLaunchOptions, ReadsAHostAndAGuest) {
  TLaunchOptions options;
  ASSERT_EQ(Refusal("", &options), "");
  EXPECT_EQ(options.Role, TLaunchRole::Menu);

  ASSERT_EQ(Refusal("--host --map duel.map", &options), "");
  EXPECT_EQ(options.Role, TLaunchRole::Host);
  EXPECT_EQ(options.Port, NNet::kDefaultPort);
  EXPECT_FALSE(options.HostSecond);
  EXPECT_FALSE(options.LoopbackOnly);
  EXPECT_FALSE(options.Computer) << "without --computer the person plays";

  ASSERT_EQ(Refusal("--host --map m.map --port 0 --second --loopback --announce a.txt --computer strong "
                    "--result r.map",
                    &options),
            "");
  EXPECT_EQ(options.MapPath, "m.map");
  EXPECT_EQ(options.Port, 0);
  EXPECT_TRUE(options.HostSecond);
  EXPECT_TRUE(options.LoopbackOnly);
  EXPECT_EQ(options.AnnouncePath, "a.txt");
  EXPECT_TRUE(options.Computer);
  EXPECT_EQ(options.Strength, TStrength::Strong);
  EXPECT_EQ(options.ResultPath, "r.map");

  ASSERT_EQ(Refusal("--join [::1]:5000 --code 482913 --computer easy", &options), "");
  EXPECT_EQ(options.Role, TLaunchRole::Join);
  EXPECT_EQ(options.Address, "::1");
  EXPECT_EQ(options.JoinPort, 5000);
  EXPECT_EQ(options.Code, 482913u);
  EXPECT_EQ(options.Strength, TStrength::Easy);
  EXPECT_EQ(options.TurnCap, 0) << "without --turns a game runs to its end";
  ASSERT_EQ(Refusal("--join 127.0.0.1 --code 100000", &options), "");
  EXPECT_EQ(options.JoinPort, NNet::kDefaultPort);

  ASSERT_EQ(Refusal("--host --map m.map --computer strong --turns 1", &options), "");
  EXPECT_EQ(options.TurnCap, 1);
  ASSERT_EQ(Refusal("--join ::1 --code 100000 --computer easy --turns 1000000", &options), "");
  EXPECT_EQ(options.TurnCap, 1000000);
}

TEST(TLaunchOptions, RefusesWhatCannotStartAGame) {
  for (const char* line : {
           "--map duel.map",                               // no role
           "--host",                                       // no map
           "--host --map",                                 // a value missing
           "--host --map m.map --port 65536",              // no port
           "--host --map m.map --port -1",
           "--host --map m.map --code 123456",             // the host makes its code
           "--host --map m.map --join 127.0.0.1 --code 123456",
           "--join 127.0.0.1",                             // no code
           "--join 127.0.0.1 --code 12345",                // five digits
           "--join [::1 --code 123456",                    // brackets that do not close
           "--join 127.0.0.1 --code 123456 --map m.map",   // a host's option
           "--join 127.0.0.1 --code 123456 --computer hard",
           "--host --map m.map --fast",                    // unknown
           "--host --map m.map --turns 40",                // a cap for a person's game
           "--host --map m.map --computer easy --turns 0",
           "--host --map m.map --computer easy --turns 1000001",
           "--host --map m.map --computer easy --turns 99999999999",
           "--host --map m.map --computer easy --turns 12a",
           "--host --map m.map --computer easy --turns -5",
       })
    EXPECT_NE(Refusal(line), "") << line;
}
