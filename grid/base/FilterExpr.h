#pragma once
// Filter conditions matched against cell texts, such as ">=10 & <20", "A*|B*", "!*test*" or
// "\"red car\"". Connectives outside double quotes: "&" and; "|", ";" and "^" or; evaluated
// strictly left to right; parentheses group. Blanks outside double quotes are ignored.
// Numbers and dates follow the user's format settings at the moment of the call.
#include <QChar>
#include <QString>
#include <vector>

bool MatchFilterCondition(const QString &condition, const QString &value, bool caseSensitive);

// One term taken apart once: its relational parts and its wildcard pattern.
struct TFilterTerm {
    explicit TFilterTerm(const QString &term);
    bool Matches(const QString &value) const; // as MatchFilterExpression
    qsizetype gt = -1, lt = -1; // positions of ">" and "<", or -1
    bool gtOrEqual = false, ltOrEqual = false;
    QString gtOperand, ltOperand;
    bool bang = false, caret = false, amp = false;
    QString pattern; // the term without "!" and double quotes
};

// A condition parsed once and matched against many texts, as MatchFilterCondition matches it:
// a filter over many rows reads the condition only once.
class TFilterCondition {
public:
    TFilterCondition(const QString &condition, bool caseSensitive);
    bool Matches(const QString &value) const;

private:
    struct Step {
        QChar connective; // the one before this step; null for the first
        int group;        // a group's index, kTerm for a term, kTooDeep for a group never evaluated
        TFilterTerm term;
    };
    static constexpr int kTerm = -1;
    static constexpr int kTooDeep = -2;
    int compile(const QString &condition, int depth);
    bool matchGroup(int group, const QString &value) const;
    std::vector<std::vector<Step>> m_groups; // group 0 is the whole condition
    bool m_caseSensitive;
};
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
