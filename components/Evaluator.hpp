// The expression evaluator behind every numeric entry: `2*pi*sqrt(9.81/0.3)` or `3^2+4^2`
// typed in a field or a table cell becomes an extended real.
//
// Evaluation rewrites text: parenthesised parts, innermost first, are replaced by the text of
// their value (18 significant digits); the flat rest is split into operands and operators and
// reduced in four passes of left-associative operators: ^, then * / % &, then + - |, then =.
// A minus sign belongs to the operand after it when it starts the text, follows a function
// name standing alone at the start, or follows an operator character, E, e or another minus.
//
// Every failure raises EAssignError with a message that starts with
// "Entry could not be evaluated:" and a line break; arithmetic faults raise EMathError.
#pragma once

#include <string_view>

namespace korval::components {

// The value of an expression.
long double EvaluateEntry(std::string_view text);

// The value of one operand: the constants pi, -pi, e, -e; a chain of function prefixes
// (`sinsqrt4`); a factorial suffix (`5!`); a hexadecimal integer (`$ff`); a decimal number.
// Pairs of minus signs cancel; names are case-insensitive.
long double EvaluateOperand(std::string_view operand);

// True when `text`, lower-cased, is a function name, "!" or "$".
bool IsFunctionName(std::string_view text);

}  // namespace korval::components
