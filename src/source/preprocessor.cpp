#include "preprocessor.h"

#include <sys/stat.h>

#include <set>

#include "extended_hooks.h"
#include "scan.h"
#include "mygetline.h"
#include "include_paths.h"

namespace {

const int kMaxExpansionDepth = 64;
const int kMaxIncludeNamesDepth = 101;

size_t skip_blanks(const std::string& s, size_t i) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return i;
}

// The identifier at i (empty when none), and the position after it.
std::string word_at(const std::string& s, size_t& i) {
    size_t b = i;
    if (i < s.size() && is_ident_start(s[i]))
        while (i < s.size() && is_ident_char(s[i])) ++i;
    return s.substr(b, i - b);
}

bool rest_is_blank(const std::string& s, size_t i) {
    for (; i < s.size(); ++i)
        if (!is_space(s[i])) return false;
    return true;
}

// Replaces the defined names of `text` by their values, again in the
// values, leaving alone the names being expanded and double-quoted text.
std::string expand(const std::string& text, std::set<std::string>& expanding, int depth) {
    std::string out;
    bool quoted = false;
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c == '"') quoted = !quoted;
        if (quoted || !is_ident_start(c) || (i > 0 && is_ident_char(text[i - 1]))) {
            out.push_back(c);
            ++i;
            continue;
        }
        std::string w = word_at(text, i);
        auto it = g.preprocessor_names.find(w);
        if (it == g.preprocessor_names.end() || !it->second.substitute || expanding.count(w) ||
            depth >= kMaxExpansionDepth) {
            out += w;
            continue;
        }
        expanding.insert(w);
        out += expand(it->second.value, expanding, depth + 1);
        expanding.erase(w);
    }
    return out;
}

}  // namespace

bool Preprocessor::directive(std::string& text) {
    size_t i = skip_blanks(text, 0);
    if (i >= text.size() || text[i] != '#') return false;
    ++i;
    size_t k = skip_blanks(text, i);
    std::string word = word_at(text, k);
    size_t after = skip_blanks(text, k);
    size_t name_end = after;
    std::string name = word_at(text, name_end);
    if (word == "define") {
        if (name.empty()) return true;  // left in place: a syntax error
        if (keeping()) {
            size_t v = skip_blanks(text, name_end);
            std::string value = text.substr(v);
            while (!value.empty() && is_space(value.back())) value.pop_back();
            g.preprocessor_names[name] = {true, value};
        }
    } else if (word == "ifdef" || word == "ifndef") {
        if (name.empty() || !rest_is_blank(text, name_end)) return true;
        bool defined = g.preprocessor_names.count(name) != 0;
        bool outer = keeping();
        conditions_.push_back({outer && defined == (word == "ifdef"), outer, false});
    } else if (word == "else" || word == "endif") {
        if (conditions_.empty() || !rest_is_blank(text, after)) return true;
        Condition& c = conditions_.back();
        if (word == "endif") {
            conditions_.pop_back();
        } else {
            if (c.in_else) return true;
            c.in_else = true;
            c.keep = c.outer_keep && !c.keep;
        }
    } else {
        return false;
    }
    text = "\n";
    return true;
}

void Preprocessor::line(std::string& text) {
    if (!extended_dialect()) return;
    if (directive(text)) return;
    if (!keeping()) {
        text = text.back() == '\n' ? "\n" : "";
        return;
    }
    if (!g.preprocessor_names.empty()) {
        std::set<std::string> expanding;
        text = expand(text, expanding, 0);
    }
    size_t i = skip_blanks(text, 0);
    if (text.size() < i + 3 || text[i] != '%' || !is_space(text[i + 2])) return;
    size_t q = skip_blanks(text, i + 2);
    if (text[i + 1] == 'd') {
        // A macro defined by %d counts as defined for #ifdef.
        std::string name = word_at(text, q);
        if (!name.empty()) g.preprocessor_names.emplace(name, PreprocessorName{false, ""});
    } else if (text[i + 1] == 'i' && q < text.size() && text[q] == '"') {
        // The names of an included file count from its %i line on.
        size_t close = text.find('"', q + 1);
        if (close != std::string::npos) include_names(text.substr(q + 1, close - q - 1));
    }
}

void Preprocessor::include_names(const std::string& name) {
    // Deeper includes are refused when translated.
    if (depth_ >= kMaxIncludeNamesDepth) return;
    // Only a regular file is read (a FIFO or a device could hold it up
    // forever); anything else is reported when the file is translated.
    std::string path = include_path(name);
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    FILE* f = fopen(path.c_str(), "r");
    if (!f) return;
    Preprocessor included(depth_ + 1);
    CommentState comments;
    std::string line;
    while (mygetline(f, line)) {
        del_comment(line, comments);
        included.line(line);
    }
    fclose(f);
}

void Preprocessor::end(std::string& text) {
    if (conditions_.empty()) return;
    conditions_.clear();
    if (!text.empty() && text.back() == '\n')
        text.insert(text.size() - 1, "#");
    else
        text += "#";
}
