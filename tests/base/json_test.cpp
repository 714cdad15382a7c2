// The JSON reader: every form of value it must take, every way a file can
// be wrong with the line it is wrong on, and strings as written.
#include "base/json.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

TEST(JsonTest, ReadsEveryFormOfValue) {
    const auto read = ParseJson(
        " {\"s\": \"q\\\" b\\\\ s\\/ \\b\\f\\n\\r\\t \\u00e9 \\ud83d\\ude00 \\u20AC\",\n"
        "  \"n\": [0, -0, 12, -7, 1.5, 1e3, 2E-2, 9223372036854775807, 9223372036854775808, "
        "-9223372036854775808],\n"
        "  \"t\": true, \"f\": false, \"z\": null, \"e\": {}, \"a\": [],\r\n"
        "  \"deep\": [[{\"k\": \"\"}]]}\n",
        "x.json");
    ASSERT_TRUE(read.ok()) << read.error();
    const JsonValue& v = read.value();
    ASSERT_EQ(v.type, JsonValue::Type::Object);
    EXPECT_EQ(v.member("s")->text, "q\" b\\ s/ \b\f\n\r\t \xC3\xA9 \xF0\x9F\x98\x80 \xE2\x82\xAC");
    const auto& n = v.member("n")->items;
    ASSERT_EQ(n.size(), 10u);
    const std::optional<std::int64_t> whole[] = {
        0, 0, 12, -7, std::nullopt, std::nullopt, std::nullopt, INT64_MAX, std::nullopt, INT64_MIN};
    for (std::size_t k = 0; k < n.size(); ++k) {
        EXPECT_EQ(n[k].type, JsonValue::Type::Number);
        EXPECT_EQ(n[k].integer(), whole[k]) << n[k].text;
    }
    EXPECT_EQ(n[4].text, "1.5");
    using T = JsonValue::Type;
    EXPECT_EQ(std::tuple(v.member("t")->boolean, v.member("f")->type, v.member("f")->boolean),
              std::tuple(true, T::Bool, false));
    EXPECT_EQ((std::vector{v.member("z")->type, v.member("e")->type, v.member("a")->type,
                           v.member("deep")->items[0].items[0].member("k")->type}),
              (std::vector{T::Null, T::Object, T::Array, T::String}));
    EXPECT_EQ(v.member("deep")->line, 4);
    EXPECT_FALSE(v.member("s")->integer() || v.member("missing"));
    EXPECT_EQ(v.members[1].key, "n") << "members keep the file's order";
}

TEST(JsonTest, ErrorsNameTheFileAndLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "j:1: the text ends where a value should be"},
        {"  \n", "j:2: the text ends where a value should be"},
        {"01", "j:1: more after the end of the JSON value"},
        {"{} {}", "j:1: more after the end of the JSON value"},
        {"[1,\n]", "j:2: unexpected text; expected a JSON value"},
        {"[1 2]", "j:1: expected , or ] in an array"},
        {"[1", "j:1: the text ends inside an array"},
        {"{\"a\":1\n,\n\"a\":2}", "j:3: the key \"a\" is given twice"},
        {"{1:2}", "j:1: expected a key in quotes"},
        {"{\"a\" 1}", "j:1: expected : after a key"},
        {"{\"a\":1;}", "j:1: expected , or } in an object"},
        {"{\"a\":1", "j:1: the text ends inside an object"},
        {"tru", "j:1: unexpected text; expected a JSON value"},
        {"nul", "j:1: unexpected text; expected a JSON value"},
        {"-", "j:1: unexpected text; expected a JSON value"},
        {"+1", "j:1: unexpected text; expected a JSON value"},
        {"1.", "j:1: a number needs digits after its point"},
        {"1e+", "j:1: a number needs digits in its exponent"},
        {"\"abc", "j:1: the text ends inside a string"},
        {"\"a\\", "j:1: the text ends inside a string"},
        {"\"a\nb\"", "j:1: a control character inside a string"},
        {"\"\\x\"", "j:1: unknown escape \\x"},
        {"\"\\u12\"", "j:1: \\u needs four hex digits"},
        {"\"\\u12G4\"", "j:1: \\u needs four hex digits"},
        {"\"\\ud800\\u12G4\"", "j:1: \\u needs four hex digits"},
        {"\"\\ud800\"", "j:1: a high surrogate without its low one"},
        {"\"\\ud800\\u0041\"", "j:1: a high surrogate without its low one"},
        {"\"\\udc00\"", "j:1: a lone low surrogate in a string"},
        {std::string(65, '[') + std::string(65, ']'), "j:1: nested deeper than 64 levels"},
    };
    for (const auto& [text, error] : cases) {
        const auto read = ParseJson(text, "j");
        ASSERT_FALSE(read.ok()) << text;
        EXPECT_EQ(read.error(), error) << text;
    }
    EXPECT_TRUE(ParseJson(std::string(64, '[') + std::string(64, ']'), "j").ok());
}

TEST(JsonTest, StringsAreWrittenEscapedWithGameBytesAsCodePoints) {
    EXPECT_EQ(JsonString("a\"b\\c\x01\x1F\x7F\xE9 ~"), "\"a\\\"b\\\\c\\u0001\\u001f\\u007f\\u00e9 ~\"");
    // UTF-8 is kept whole; a byte that starts or continues no well-formed sequence is a code point.
    const std::pair<std::string, std::string> mixed[] = {
        {"\xC2\xB7 \xE2\x86\x92 \xF0\x9F\x98\x80", "\"\xC2\xB7 \xE2\x86\x92 \xF0\x9F\x98\x80\""},
        {"\xC2", "\"\\u00c2\""},
        {"\xC2\x41", "\"\\u00c2A\""},
        {"\xC0\xAF", "\"\\u00c0\\u00af\""},                        // an overlong "/"
        {"\xE0\x80\xAF", "\"\\u00e0\\u0080\\u00af\""},             // overlong in three
        {"\xEF\xBF\xBD", "\"\xEF\xBF\xBD\""},                      // the last lead of three
        {"\xED\xA0\x80", "\"\\u00ed\\u00a0\\u0080\""},             // a surrogate
        {"\xF4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\""},  // past U+10FFFF
        {"\xE2\x86", "\"\\u00e2\\u0086\""},                        // cut short
    };
    for (const auto& [in, want] : mixed) {
        EXPECT_EQ(JsonString(in), want);
        EXPECT_TRUE(ParseJson(JsonString(in), "j").ok());
    }
    const auto back = ParseJson(JsonString("Peon's \"axe\"\n\xE9"), "j");
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value().text, "Peon's \"axe\"\n\xC3\xA9");
}

}  // namespace
}  // namespace zorbel
