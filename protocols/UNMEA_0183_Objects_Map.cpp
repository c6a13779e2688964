// The NMEA 0183 sentence table and the lookups by sentence name and by data field.
#include "protocols/UNMEA_0183_Objects_Map.h"

#include "shell/UComon.h"

const std::array<TNMEA0183_Sentence, kNMEA0183_Sentence_Count> NMEA0183_Sentences{{
    {"ZDA", true},  {"BWC", false}, {"BWR", false}, {"DBT", true},  {"DPT", true},     {"DSC", false},
    {"GGA", true},  {"GLL", true},  {"GSA", true},  {"GSV", true},  {"HDG", true},     {"HDM", false},
    {"HDT", true},  {"HSC", false}, {"MDA", true},  {"MTW", false}, {"MWD", true},     {"MWV", true},
    {"RMB", false}, {"RMC", true},  {"ROT", true},  {"RPM", false}, {"RSA", false},    {"VBW", false},
    {"VDM", false}, {"VDO", false}, {"VDR", false}, {"VHW", true},  {"VLW", false},    {"VTG", true},
    {"VWR", true},  {"XTE", true},  {"THS", true},  {"XDR", true},  {"$PJELA", true},  {"DBK", true},
    {"DBS", true},  {"DTM", true},  {"VWT", true},
}};

int Find_Sentence(const QString &Sentence)
{
    for (int i = 0; i < kNMEA0183_Sentence_Count; ++i)
        if (Sentence == QLatin1String(NMEA0183_Sentences[size_t(i)].Name)) return i + 1;
    return -1;
}

QStringList NMEA0183_Listed_Sentences()
{
    QStringList names;
    for (const TNMEA0183_Sentence &s : NMEA0183_Sentences)
        if (s.Listed) names << QLatin1String(s.Name);
    return names;
}

int GetIndexDataField(int Ind_Sent, const QString &DataField)
{
    if (Ind_Sent < 1 || Ind_Sent > kNMEA0183_Sentence_Count) return -1;
    const std::vector<TFieldSentence> &fields = NMEA0183_Map[size_t(Ind_Sent - 1)].Fields;
    for (size_t i = 0; i < fields.size(); ++i)
        if (Trim_Text(fields[i].Field).toUpper() == DataField) return int(i);
    return -1;
}

QStringList NMEA0183_Field_Names(int Ind_Sent)
{
    QStringList names;
    if (Ind_Sent < 1 || Ind_Sent > kNMEA0183_Sentence_Count) return names;
    for (const TFieldSentence &f : NMEA0183_Map[size_t(Ind_Sent - 1)].Fields) names << f.Field;
    return names;
}
