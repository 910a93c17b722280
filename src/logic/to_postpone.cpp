// The first pass of the expression parser: the SFL expression read token
// by token into postfix text, names and constants checked and sized.
#include <climits>
#include <cstdio>
#include <cstring>

#include "arrays.h"
#include "block_locals.h"
#include "constant_arithmetic.h"
#include "constants.h"
#include "convert_logic.h"
#include "extended_hooks.h"
#include "scan.h"
#include "decimal_constant.h"
#include "error.h"
#include "macro_versions.h"
#include "made_up_names.h"
#include "memory_words.h"
#include "macro_names.h"
#include "explain.h"
#include "name_suggestions.h"
#include "search_list.h"
#include "sfl_widths.h"
#include "stack.h"
#include "parser_steps.h"
#include "selects.h"

namespace {

enum Prev { START, OPERAND, OPERATOR, OPEN, CLOSE, WIDTH_PREFIX };


// The operators of the prefix level.
bool prefix_operator(const char* p) { return operator1(p) || negation(p); }



// The macro translated where its name stands (--extended) that `token`
// names; else null.
const list* expanded_macro(const std::string& token) {
    if (g.expanded_macros.empty() && g.macro_versions.empty()) return nullptr;
    const list* macro = find_macro(token);
    // Also a macro whose define text means another value at the module
    // (macro_versions.h).
    return macro && (g.expanded_macros.count(macro) || macro_out_of_date(macro)) ? macro : nullptr;
}

// A name that names nothing: `inst` and `member` for inst.member.
[[noreturn]] void report_unknown_operand(const std::string& token, const std::string& inst, const std::string& member,
                                  const std::string& src, size_t at) {
    std::string word = inst;
    std::string text = inst.empty() ? unknown_operand(token, word) : no_member(inst, member);
    syntax_error_after(stderr, "unknown identifier: " + token, in_copy(src, at, text, word));
}

// Width of a name: a signal, a state constant or a macro.  A signal's
// name becomes its Verilog name (a block-local one may have a made-up one).
// `known` false when it names none of them.
int name_width(std::string& token, bool& known) {
    known = true;
    auto signal_width = [&token](const list* rec) {
        if (rec->name != token) token = rec->name.str();
        return rec->width;
    };
    list* macro = find_macro(token);
    if (list* rec = find_in_scope(token); rec && !macro) return signal_width(rec);
    int w = g.param_index.find_suffix(token);
    if (w >= 0 && !macro) return w;
    // A signal of a block that ended, where no macro has its name.
    if (list* rec = macro ? nullptr : find_closed_local(token)) return signal_width(rec);
    if (macro) {
        MacroBeingExpanded expansion(token);
        // The value is parsed in place: it keeps its parenthesised form,
        // unless it stands in place (a sized decimal constant, 8'd5, is no
        // SFL): each use parses the value as written again.
        std::string value = macro->logic->value.str();
        int in_place = g.values_in_place;
        int width = parser(value);
        if (value.find("'d") != std::string::npos) ++g.values_in_place;
        if (macro->logic->value != value && g.values_in_place == in_place)
            macro->logic->value = store_text(value, true);
        return width;
    }
    known = false;
    return 0;
}

// The steps of to_postpone: one expression read token by token, operands
// written to the postfix text at once, operators held on a stack until an
// operator of lower precedence or a ')' writes them (the prefix operators
// bind tightest; the binary ones are written left to right).
class ToPostfix {
public:
    ToPostfix(const std::string& src, std::string& postfix) : src_(src), text_(src.c_str()), postfix_(postfix) {}

    // expression -> { name | constant | number | string | character | operator | "(" | ")" }
    void run() {
        int code = 0;
        while (i_ < src_.size() && text_[i_] != '\0') {
            char c = text_[i_];
            const char* after_constant = text_ + i_;
            long long value;
            if ((prev_ == START || prev_ == OPERATOR || prev_ == OPEN) && extended_dialect() &&
                read_constant_arithmetic(after_constant, value))
                constant_arithmetic(after_constant, value);
            else if (is_ident_start(c))
                name();
            else if (c == '0')
                constant();
            else if (operator1(text_ + i_))
                prefix();
            else if (c == '-' && (prev_ == START || prev_ == OPERATOR || prev_ == OPEN) && extended_dialect())
                unary_minus();
            else if (operator2_1(text_ + i_) || operator2_2(text_ + i_))
                binary_operator();
            else if (c == '(')
                open();
            else if (c == ')')
                close();
            else if (is_space(c))
                ++i_;
            else if (is_digit(c))
                number();
            else if (const char* end = scan_string(text_ + i_, bytes_))
                string_constant(end);
            else if (const char* end = scan_character(text_ + i_, code))
                character(end, code);
            else
                syntax_error(mistake("unexpected " + found_at(text_ + i_) + " in the expression"));
        }
        finish();
    }

private:
    // name -> IDENT [ "." IDENT ] [ "<" h [ ":" l ] ">" | "<" expression ">" ],
    // written as [N#]name[select];width
    void name() {
        if (prev_ == OPERAND) operator_expected();
        const char* p = read_identifier(text_ + i_, token_);
        inst_.clear();
        if (*p == '.') {
            p = read_identifier(p + 1, port_);
            inst_.swap(token_);
            token_ = made_up_name(MadeUp::kPortNet, inst_, port_);
        }
        p = skip_space_only(p);
        const char* after_name = p;
        if (const list* macro = expanded_macro(token_)) return macro_value(macro, after_name);
        const list* memory = memory_named(token_);
        long long word;
        if (memory)
            p = after_name = memory_word(p, memory, token_);
        else if ((memory = register_file_word(token_, &word)))
            token_ = memory->name.str() + "[" + std::to_string(word) + "]";
        int in_place = g.values_in_place;
        bool known = true;
        int width = memory ? memory->width : name_width(token_, known);
        if (!known) report_unknown_operand(token_, inst_, port_, src_, i_);
        bool stands_in_place = g.values_in_place != in_place;
        long long h = -1, l = -1;
        std::string index;  // a select by a value: the index's name
        const char* after_select = select_after_name(p, width, h, l, index);
        // A macro whose value selects the one bit of a 1-bit signal here or
        // holds a decimal constant, or that is selected and whose value is
        // no signal's name: its define text cannot be written so, and its
        // value stands in place.
        if (stands_in_place || (after_select && width != 1 && !selectable_macro(token_)))
            return macro_value(find_macro(token_), after_name);
        std::string out;
        long long w = width;
        if (prev_ == WIDTH_PREFIX && extended_dialect() && find_macro(token_)) {
            // --extended: N#MACRO extends the macro's value, an operand
            // followed by the extension operator.
            emit(postfix_, token_ + ";" + std::to_string(clamp_width(w)));
            emit(postfix_, "#" + std::to_string(number_));
            prev_ = OPERAND;
            i_ = static_cast<size_t>(after_name - text_);
            return;
        }
        if (prev_ == WIDTH_PREFIX) {
            out += std::to_string(number_) + "#";
            w = number_;
        } else if (after_select) {
            w = index.empty() ? select_width(h, l) : 1;
        }
        out += token_;
        // The one bit of a 1-bit operand is the operand: Verilog selects
        // nothing from a scalar.
        if (after_select && width != 1) out += index.empty() ? select_text(h, l) : "[" + index + "]";
        out += ";" + std::to_string(clamp_width(w));
        emit(postfix_, out);
        prev_ = OPERAND;
        i_ = static_cast<size_t>((after_select ? after_select : after_name) - text_);
    }

    // The select at `p` after an operand of `width` bits, <h>, <h:l> or
    // (--extended) <value> with its index named in `index`: the position
    // after it, or null when `p` opens none.  The one bit of a 1-bit
    // operand is counted: the output leaves its select out.
    const char* select_after_name(const char* p, int width, long long& h, long long& l, std::string& index) {
        if (p[0] != '<' || p[1] == '<') return nullptr;
        const char* after = constant_select(p, token_, width, h, l);
        if (!after && extended_dialect()) after = value_select(p, index);
        if (after && width == 1) ++g.values_in_place;
        return after;
    }

    // A macro translated where its name stands: the postfix text of its value,
    // which stands as a parenthesised expression, with the constant select
    // that may follow the name and the N# before it.
    void macro_value(const list* macro, const char* after_name) {
        {
            MacroBeingExpanded expansion(token_);
            // (an indexed name of the value names an element here)
            std::string value = macro->logic->value.str();
            resolve_indexed_names(value);
            to_postpone(value, postfix_);
        }
        const char* p = after_name;
        long long h, l;
        std::string index;
        if (p[0] == '<' && p[1] != '<') {
            if (const char* after_select = constant_select(p, "", -1, h, l)) {
                emit(postfix_, select_text(h, l));
                p = after_select;
            } else if (const char* after = extended_dialect() ? value_select(p, index) : nullptr) {
                emit(postfix_, "[" + index + "]");
                p = after;
            }
        }
        if (prev_ == WIDTH_PREFIX) emit(postfix_, "#" + std::to_string(number_));
        prev_ = OPERAND;
        i_ = static_cast<size_t>(p - text_);
    }

    // constant -> "0" KIND digits { KIND digits } [ select ], written as it
    // stands (after N#, extended at once).
    void constant() {
        if (prev_ == OPERAND) operator_expected();
        bool extended = prev_ == WIDTH_PREFIX;
        prev_ = OPERAND;
        if (!constant_starts(text_ + i_)) syntax_error(mistake("expected a constant (0b..., 0o... or 0x...)"));
        std::vector<ConstantPart> parts;
        long long width;
        const char* end = extended ? scan_constant(text_ + i_, parts) : constant_extent(text_ + i_, width);
        // A letter or digit that does not fit the digit kind.
        if (is_alnum(*end))
            syntax_error(in_copy(src_, static_cast<size_t>(end - text_),
                                 "'" + std::string(1, *end) + "' is no digit of the constant '" +
                                     src_.substr(i_, static_cast<size_t>(end - text_) - i_) + "'"));
        size_t j = static_cast<size_t>(end - text_);
        emit(postfix_, extended ? extend_constant(parts, number_) : src_.substr(i_, j - i_));
        i_ = j;
        operand_select();
    }

    // string -> '"' bytes '"' (a macro's value): the constant of its bytes.
    void string_constant(const char* end) { quoted_constant(string_as_constant(bytes_), end); }

    // character -> "'" c "'" (--extended): the hexadecimal constant of its code.
    void character(const char* end, int code) {
        char hex[8];
        snprintf(hex, sizeof hex, "0x%02X", code);
        quoted_constant(hex, end);
    }

    // The constant `text` of a string or character ending at `end`,
    // extended at once after N# as any constant.
    void quoted_constant(std::string text, const char* end) {
        if (prev_ == OPERAND) operator_expected();
        if (prev_ == WIDTH_PREFIX) {
            std::vector<ConstantPart> parts;
            scan_constant(text.c_str(), parts);
            text = extend_constant(parts, number_);
        }
        prev_ = OPERAND;
        emit(postfix_, text);
        i_ = static_cast<size_t>(end - text_);
    }

    // prefix -> "^" | "/|" | "/&" | "/@"
    void prefix() {
        if (prev_ == OPERAND) operator_expected();
        prev_ = OPERATOR;
        size_t n = text_[i_] == '^' ? 1 : 2;
        push(stack_, item{src_.substr(i_, n), 0});
        i_ += n;
    }

    // A '-' where no operand ends (--extended): unary minus.
    void unary_minus() {
        prev_ = OPERATOR;
        push(stack_, item{kNegation, 0});
        ++i_;
    }

    // binary -> "<<" | ">>" | "<=" | ">=" | "==" | "!=" | "||" | one of &|@+-*/<>
    void binary_operator() {
        if (prev_ == OPERATOR || prev_ == WIDTH_PREFIX)
            syntax_error(mistake("expected an operand before " + found_at(text_ + i_)));
        while (!stack_.empty() && prefix_operator(stack_.back().text.c_str())) {
            emit(postfix_, stack_.back().text);
            stack_.pop_back();
        }
        prev_ = OPERATOR;
        size_t n = operator2_1(text_ + i_) ? 2 : 1;
        push(stack_, item{src_.substr(i_, n), 0});
        i_ += n;
    }

    // "(" ; after N# (--extended) the parenthesis carries N as its width.
    void open() {
        long long extend = 0;
        if (prev_ == WIDTH_PREFIX) {
            if (!extended_dialect()) syntax_error(mistake("a width extension 'N#' takes a name, not '('"));
            extend = number_;
        }
        prev_ = OPEN;
        push(stack_, item{"(", clamp_width(extend)});
        ++i_;
    }

    // ")" [ select ]: writes the operators held since its "(", the
    // extension it carries, and (--extended) a select of the group.
    void close() {
        if (prev_ == WIDTH_PREFIX) syntax_error(mistake("expected an operand after 'N#', found ')'"));
        prev_ = CLOSE;
        for (;;) {
            if (stack_.empty())
                translation_error("stack is empty2: " + std::to_string(g.count) + "\n",
                                  mistake("')' closes no '(' of the expression"));
            if (stack_.back().text[0] == '(') break;
            emit(postfix_, stack_.back().text);
            stack_.pop_back();
        }
        if (stack_.back().width > 0) emit(postfix_, "#" + std::to_string(stack_.back().width));
        stack_.pop_back();
        ++i_;
        operand_select();
    }

    // --extended: a select after the group or constant that ends at i_,
    // which calc applies to the operand it leaves: <h>, <h:l>, or [index]
    // for a select by a value.
    void operand_select() {
        const char* q = skip_space_only(text_ + i_);
        if (q[0] != '<' || q[1] == '<' || !extended_dialect()) return;
        long long h, l;
        std::string index;
        const char* after_select = constant_select(q, "", -1, h, l);
        if (!after_select) after_select = value_select(q, index);
        if (!after_select) return;
        emit(postfix_, index.empty() ? select_text(h, l) : "[" + index + "]");
        i_ = static_cast<size_t>(after_select - text_);
    }

    // number -> DIGITS "#" (a width prefix) | DIGITS (a shift count)
    void number() {
        const char* p = text_ + i_;
        number_ = read_decimal(p);
        i_ = static_cast<size_t>(p - text_);
        if (text_[i_] == '#') {
            prev_ = WIDTH_PREFIX;
            ++i_;
        } else {
            prev_ = OPERAND;
            if (stack_.empty() || (stack_.back().text != "<<" && stack_.back().text != ">>"))
                syntax_error(mistake("a plain number stands only as a shift count ('a << 2') or a width ('8#a'); "
                                     "a constant is written 0b..., 0o... or 0x..."));
            emit(postfix_, std::to_string(clamp_width(number_)));
        }
    }

    // --extended: constant arithmetic (a number, a macro of one, an
    // expression of them) where an operand may start, ending at `end`: a
    // width prefix, a shift count, or one decimal constant sized by its
    // context.
    void constant_arithmetic(const char* end, long long value) {
        const char* q = skip_space_only(end);
        const char* first = skip_space_only(text_ + i_);
        if (*q == '#' && *first == '-') {
            // -5#a negates 5#a: a width is never negative.
            i_ = static_cast<size_t>(first - text_);
            return unary_minus();
        }
        if (*q == '#') {
            number_ = value;
            prev_ = WIDTH_PREFIX;
            i_ = static_cast<size_t>(q + 1 - text_);
            return;
        }
        bool count = !stack_.empty() && (stack_.back().text == "<<" || stack_.back().text == ">>");
        emit(postfix_, count && value >= 0 ? std::to_string(clamp_width(value)) : decimal_token(value));
        prev_ = OPERAND;
        i_ = static_cast<size_t>(end - text_);
    }

    // The operators still held, last first.
    void finish() {
        while (!stack_.empty()) {
            // An unclosed parenthesis is an error like an unmatched one.
            if (stack_.back().text == "(") syntax_error(mistake("expected ')' at the end of the expression"));
            emit(postfix_, stack_.back().text);
            stack_.pop_back();
        }
    }

    // The mistake at the token being read.
    Mistake mistake(const std::string& text) const { return in_copy(src_, i_, text); }
    [[noreturn]] void operator_expected() const {
        syntax_error(mistake("expected an operator between two operands, before " + found_at(text_ + i_)));
    }

    const std::string& src_;
    const char* text_;
    std::string& postfix_;
    std::vector<item> stack_;
    Prev prev_ = START;
    long long number_ = 0;
    size_t i_ = 0;
    std::string token_, port_, inst_, bytes_;
};


}  // namespace

void to_postpone(const std::string& src, std::string& postfix) { ToPostfix(src, postfix).run(); }
