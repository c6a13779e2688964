#pragma once
// The NMEA 0183 sentences the gateway knows, by index (1 .. 39, the position in the table), and the
// data fields of each sentence. Both NMEA 0183 windows look sentences up by their exact name and work
// with the index; the listed ones are offered in the sentence lists.
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

struct TNMEA0183_Sentence {
    const char *Name;
    bool Listed; // offered in the sentence lists
};

inline constexpr int kNMEA0183_Sentence_Count = 39;
// Sentences the windows treat apart (they carry an instance index).
inline constexpr int kNMEA0183_GSV = 10;
inline constexpr int kNMEA0183_XDR = 34;
inline constexpr int kNMEA0183_PJELA = 35;

// Entry k-1 is the sentence of index k.
extern const std::array<TNMEA0183_Sentence, kNMEA0183_Sentence_Count> NMEA0183_Sentences;

// One data field of a sentence: its name and its size in bytes.
struct TFieldSentence {
    QString Field;
    int Dimension = 0;
};

struct TMNEA0183_Map {
    std::vector<TFieldSentence> Fields;
};

// Entry k-1 holds the data fields of the sentence of index k. The gateway's field layout is not
// described anywhere this program can rely on, so every list stays empty: the Data Field lists offer
// nothing and every position computes as 0 (tests fill a map of their own).
inline std::array<TMNEA0183_Map, kNMEA0183_Sentence_Count> NMEA0183_Map;

// The index (1 .. 39) of the sentence named exactly Sentence, -1 when there is none.
int Find_Sentence(const QString &Sentence);
// The names of the listed sentences, in table order.
QStringList NMEA0183_Listed_Sentences();
// For Ind_Sent in 1 .. 39: the position (from 0) of the first field of that sentence whose name,
// trimmed and in upper case, equals DataField; -1 otherwise.
int GetIndexDataField(int Ind_Sent, const QString &DataField);
// The field names of the sentence of index Ind_Sent (none outside 1 .. 39).
QStringList NMEA0183_Field_Names(int Ind_Sent);
