#include "memory_contents.h"

#include <vector>

#include "constants.h"
#include "error.h"
#include "explain.h"
#include "search_list.h"
#include "statement_ends.h"

namespace {

// The values of `text`, split at the commas outside parentheses and quotes.
std::vector<std::string> split_values(const std::string& text) {
    std::vector<std::string> values;
    for (const char* q = text.c_str();; ++q) {
        const char* e = find_end(q, ",", '(');
        values.emplace_back(q, e);
        if (!*e) return values;
        q = e;
    }
}

}  // namespace

// "=" "{" value { "," value } "}" after a memory's name, depth and width
char* read_memory_contents(char* p, std::string& text) {
    p = skip_ws(p);
    if (*p != '{') syntax_error(p, "expected '{' and the words of the memory after '=', found " + found_at(p));
    char* end = find_end(p + 1, "};");
    count_newlines(p + 1, end);
    if (*end != '}') syntax_error(p, "this '{' of the memory's words is not closed before ';'");
    text.assign(p + 1, end);
    return skip_ws(end + 1);
}

void set_memory_contents(const list* mem, const std::string& text) {
    std::vector<std::string> values = split_values(text);
    if (static_cast<long long>(values.size()) > g.memory_depths.at(mem))
        syntax_error(at_word(mem->name.str(), std::to_string(values.size()) + " values for the " +
                                                  std::to_string(g.memory_depths.at(mem)) + " words of '" +
                                                  mem->name.str() + "'"));
    std::vector<Text>& words = g.memory_contents[mem];
    for (const std::string& v : values) {
        ConstantInt value;
        if (!constant_value(v, value)) {
            size_t first = v.find_first_not_of(" \t\n"), last = v.find_last_not_of(" \t\n");
            if (first == std::string::npos)
                syntax_error(at_word(mem->name.str(), "a word of '" + mem->name.str() + "' is empty: expected a constant "
                                                                                      "between the commas"));
            std::string word = v.substr(first, last - first + 1);
            syntax_error(at_word(word, "the word '" + word + "' of '" + mem->name.str() + "' is no constant"));
        }
        words.push_back(store_text(sized_constant(value, mem->width)));
    }
}

