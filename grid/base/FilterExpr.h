#pragma once
// Filter conditions matched against cell texts, such as ">=10 & <20", "A*|B*", "!*test*" or
// "\"red car\"". Connectives outside double quotes: "&" and; "|", ";" and "^" or; evaluated
// strictly left to right; parentheses group. Blanks outside double quotes are ignored.
// Numbers and dates follow the user's format settings at the moment of the call.
#include <QChar>
#include <QString>

bool MatchFilterCondition(const QString &condition, const QString &value, bool caseSensitive);
// One term: without case sensitivity both texts are upper-cased first.
bool MatchFilterTerm(const QString &term, const QString &value, bool caseSensitive);
// One term: relational test (numbers, dates, or text) or wildcard pattern (*, ?, ! negates).
bool MatchFilterExpression(const QString &term, const QString &value);

QString StripBlanksOutsideQuotes(const QString &text);
// First character of chars that stands outside double quotes: returns it and sets position
// (1-based); returns a null QChar and position -1 when there is none.
QChar FindCharOutsideQuotes(const QString &chars, const QString &text, int &position);
// 1-based position of the ")" closing the first "(" (quoted text is skipped); 0 when none.
int ClosingParenPos(const QString &text);
// Thousand separator removed, decimal separator written as ".".
QString NormalizeNumberText(const QString &text);
