#include "FrameParser.h"

#include "PtyPort.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using K = TParserEvent::TKind;

struct TCollected {
    std::vector<TDeviceCommand> commands;
    std::vector<TParserEvent> others;
};

TFrameParser::TSink Into(TCollected& out) {
    return [&out](const TParserEvent& e) {
        if (e.kind == K::Command)
            out.commands.push_back(e.command);
        else
            out.others.push_back(e);
    };
}

// The hex of every decoded command, in order.
std::vector<std::string> Hex(const std::vector<TDeviceCommand>& commands) {
    std::vector<std::string> out;
    for (const auto& c : commands)
        out.push_back(ToHex(c.Bytes()));
    return out;
}

const std::vector<std::string> EXAMPLES = {
    "FF 00 03 00 00 00 00 00 00 03",          // ClearScreen
    "FF 00 01 01 00 00 00 00 00 02",          // SetMode(1)
    "FF 00 00 00 B4 00 48 00 00 FC",          // SetCrossPosition(180, 72)
    "FF 00 00 01 67 00 8F 00 00 F7",          // SetCrossPosition(359, 143)
    "FF 00 04 00 08 03 00 00 00 0F 61 62 63", // WriteText(0, 8, "abc")
};

std::string ExampleStream() {
    std::string all;
    for (const auto& hex : EXAMPLES)
        all += FromHex(hex);
    return all;
}

// Every byte fed is accounted for once the stream has ended.
void ExpectAccounted(const TFrameParser& parser) {
    const auto& c = parser.Counters();
    EXPECT_EQ(parser.Pending(), 0u);
    EXPECT_EQ(c.bytes, c.frameBytes + c.skippedBytes + c.droppedBytes);
}

} // namespace

TEST(FrameParser, DecodesEveryExampleFrame) {
    TCollected got;
    TFrameParser parser(Into(got));
    parser.Feed(ExampleStream());
    ASSERT_EQ(Hex(got.commands), EXAMPLES);
    EXPECT_TRUE(got.others.empty());

    EXPECT_EQ(got.commands[0].code, TCommand::ClearScreen);
    EXPECT_EQ(got.commands[1].params[0], 1);
    EXPECT_EQ(got.commands[2].params[1], 0xB4);
    EXPECT_EQ(got.commands[2].params[3], 0x48);
    EXPECT_EQ(got.commands[4].code, TCommand::WriteText);
    EXPECT_EQ(got.commands[4].params[1], 8);
    EXPECT_EQ(got.commands[4].payload, "abc");
    EXPECT_EQ(parser.Counters().frames, 5u);
    EXPECT_EQ(parser.Pending(), 0u);
}

TEST(FrameParser, StreamSplitAnywhereGivesTheSameCommands) {
    const std::string all = ExampleStream();
    for (std::size_t cut = 0; cut <= all.size(); ++cut) {
        TCollected got;
        TFrameParser parser(Into(got));
        parser.Feed(std::string_view(all).substr(0, cut));
        parser.Feed(std::string_view(all).substr(cut));
        EXPECT_EQ(Hex(got.commands), EXAMPLES) << "cut at " << cut;
        EXPECT_TRUE(got.others.empty()) << "cut at " << cut;
    }
    TCollected got;
    TFrameParser parser(Into(got));
    for (char b : all)
        parser.Feed(std::string_view(&b, 1));
    EXPECT_EQ(Hex(got.commands), EXAMPLES);
}

TEST(FrameParser, SkipsGarbageBeforeAndBetweenFrames) {
    // Lone FF bytes, FF FF 00 and a 00 right after a frame: none of them starts a frame.
    std::string stream = FromHex("12 FF 34 FF FF");
    for (const auto& hex : EXAMPLES)
        stream += FromHex(hex) + FromHex("00 FF 41 FF");
    TCollected got;
    TFrameParser parser(Into(got));
    parser.Feed(stream);
    parser.EndOfStream();
    EXPECT_EQ(Hex(got.commands), EXAMPLES);
    // 5 before the first frame, 4 between frames, 3 after the last one.
    EXPECT_EQ(parser.Counters().skippedBytes, 5u + 4u * (EXAMPLES.size() - 1) + 3u);
    EXPECT_EQ(parser.Counters().droppedBytes, 1u); // the final FF might have started a frame
    ExpectAccounted(parser);
}

TEST(FrameParser, BadChecksumIsCountedAndTheNextHeaderFound) {
    // The bad frame's bytes 2 and 3 form the next real header.
    const std::string stream = FromHex("FF 00 FF 00 03 00 00 00 00 00 00 03") + FromHex(EXAMPLES[1]);
    TCollected got;
    TFrameParser parser(Into(got));
    parser.Feed(stream);
    EXPECT_EQ(Hex(got.commands), (std::vector<std::string>{EXAMPLES[0], EXAMPLES[1]}));
    EXPECT_EQ(parser.Counters().checksumErrors, 1u);
    ASSERT_FALSE(got.others.empty());
    EXPECT_EQ(got.others[0].kind, K::ChecksumError);

    TCollected single;
    TFrameParser second(Into(single));
    second.Feed(FromHex("FF 00 03 00 00 00 00 00 00 04") + FromHex(EXAMPLES[0]));
    EXPECT_EQ(Hex(single.commands), (std::vector<std::string>{EXAMPLES[0]}));
    EXPECT_EQ(second.Counters().checksumErrors, 1u);
}

TEST(FrameParser, HeaderBytesInsideAPayloadArePayload) {
    // WriteCodes(0, 0, <a ClearScreen frame as codes>), then a glyph whose record holds FF 00.
    const std::string codes = FromHex(EXAMPLES[0]);
    const std::string writeCodes = FromHex("FF 00 06 00 00 0A 00 00 00 10") + codes;
    std::string record(54, '\xFF');
    record[10] = '\x00';
    const std::string loadGlyph = FromHex("FF 00 05 73 00 00 00 00 00 78") + record;
    TCollected got;
    TFrameParser parser(Into(got));
    parser.Feed(writeCodes + loadGlyph + FromHex(EXAMPLES[1]));
    ASSERT_EQ(got.commands.size(), 3u);
    EXPECT_EQ(got.commands[0].code, TCommand::WriteCodes);
    EXPECT_EQ(got.commands[0].payload, codes);
    EXPECT_EQ(got.commands[1].code, TCommand::LoadGlyph);
    EXPECT_EQ(got.commands[1].params[0], 0x73);
    EXPECT_EQ(got.commands[1].payload, record);
    EXPECT_EQ(ToHex(got.commands[2].Bytes()), EXAMPLES[1]);
    EXPECT_TRUE(got.others.empty());
}

TEST(FrameParser, UnknownCodeIsCountedAndSkipped) {
    TCollected got;
    TFrameParser parser(Into(got));
    parser.Feed(FromHex("FF 00 08 00 00 00 00 00 00 08") + FromHex(EXAMPLES[0]));
    EXPECT_EQ(Hex(got.commands), (std::vector<std::string>{EXAMPLES[0]}));
    EXPECT_EQ(parser.Counters().unknownCodes, 1u);
    ASSERT_FALSE(got.others.empty());
    EXPECT_EQ(got.others[0].kind, K::UnknownCode);
}

TEST(FrameParser, LengthBeyondTheBytesThatFollowIsDroppedAtTheEnd) {
    TCollected got;
    TFrameParser parser(Into(got));
    // WriteText announcing 30 bytes, of which 3 come before the port closes.
    parser.Feed(FromHex("FF 00 04 00 00 1E 00 00 00 22 61 62 63"));
    EXPECT_TRUE(got.commands.empty());
    EXPECT_EQ(parser.Pending(), 13u);
    EXPECT_EQ(parser.EndOfStream(), 13u);
    ASSERT_EQ(got.others.size(), 1u);
    EXPECT_EQ(got.others[0].kind, K::Dropped);
    EXPECT_EQ(ToHex(got.others[0].bytes), "FF 00 04 00 00 1E 00 00 00 22 61 62 63");
    EXPECT_EQ(parser.Counters().droppedFrames, 1u);
    ExpectAccounted(parser);

    // A later connection starts clean.
    parser.Feed(FromHex(EXAMPLES[0]));
    EXPECT_EQ(Hex(got.commands), (std::vector<std::string>{EXAMPLES[0]}));
}

TEST(FrameParser, RandomBytesAreAllAccountedFor) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        std::string noise(20000, '\0');
        for (char& b : noise) {
            // Plenty of FF and 00 so that headers, and frames that look almost right, occur.
            const unsigned r = random() % 8;
            b = static_cast<char>(r == 0 ? 0xFF : r == 1 ? 0x00 : random() % 256);
        }
        // Two good frames in the middle of it.
        noise.insert(10000, FromHex(EXAMPLES[0]) + FromHex(EXAMPLES[4]));
        TCollected got;
        TFrameParser parser(Into(got));
        for (std::size_t at = 0, step = 0; at < noise.size(); at += step) {
            step = 1 + random() % 97;
            parser.Feed(std::string_view(noise).substr(at, step));
        }
        parser.EndOfStream();
        ExpectAccounted(parser);
        EXPECT_LE(parser.Counters().droppedFrames, 1u);
        for (const auto& command : got.commands)
            EXPECT_LE(static_cast<int>(command.code), LAST_COMMAND_CODE);
    }
}
