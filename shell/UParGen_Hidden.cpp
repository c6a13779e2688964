// The category panels of the family's other gateway models. This model never shows them; they are
// built so that the window carries every panel of the class and follows language changes.
#include "shell/UParGen.h"

#include "shell/ULanguage.h"

namespace {

enum class Row {
    Edit,        // label (cap) + edit (hint)
    Combo,       // label (cap) + drop-down list (hint)
    Check,       // check box (cap, hint)
    Octets,      // label (cap) + four octet edits (hints hint .. hint + 3)
    CheckOctets, // check box (cap, hint) + four octet edits (hints hint2 .. hint2 + 3)
    CheckEdit,   // check box (cap, hint) + edit (hint2)
    Label,       // label (cap) only
    Versions,    // label (cap) + three check boxes (hints hint .. hint + 2)
};

struct RowDef {
    Row kind;
    int cap;
    int hint = 0;
    int hint2 = 0;
    int firstItem = 0; // list entries taken from the table: firstItem .. lastItem
    int lastItem = 0;
};

struct PanelDef {
    const char *name;
    int captionSlot;
    std::vector<RowDef> rows;
};

std::vector<RowDef> networkRows(int first)
{
    // address, mask, gateway: label + 4 octets twice, then gateway box + 4 octets
    return {{Row::Octets, first, first + 1},
            {Row::Octets, first + 5, first + 6},
            {Row::CheckOctets, first + 10, first + 11, first + 12}};
}

std::vector<RowDef> concat(std::vector<RowDef> a, const std::vector<RowDef> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<PanelDef> hiddenPanels()
{
    return {
        {"CP_Modbus_Master", 552,
         {{Row::Combo, 553, 554}, {Row::Combo, 555, 556}, {Row::Combo, 557, 558}, {Row::Combo, 559, 560},
          {Row::Edit, 561, 562}, {Row::Edit, 563, 564}}},
        {"CP_Modbus_TCP_Master", 565, concat(networkRows(566), {{Row::Edit, 582, 583}, {Row::Edit, 584, 585}})},
        {"CP_Modbus_TCP_Slave", 599, concat(networkRows(600), {{Row::Edit, 616, 617}, {Row::Check, 1075, 1076}})},
        {"CP_BACnet_Master", 817,
         concat(concat({{Row::Combo, 818, 819}}, networkRows(820)),
                {{Row::Edit, 836, 837}, {Row::Edit, 838, 839}, {Row::Edit, 840, 841}, {Row::Edit, 842, 843},
                 {Row::Combo, 844, 845}, {Row::Combo, 846, 847}, {Row::Edit, 848, 849}, {Row::Edit, 850, 851},
                 {Row::Edit, 852, 853}, {Row::Edit, 854, 855}, {Row::Edit, 856, 857}})},
        {"CP_BACnet_Slave", 774,
         concat(concat({{Row::Combo, 775, 776}}, networkRows(777)),
                {{Row::Edit, 793, 794}, {Row::Edit, 795, 796}, {Row::Edit, 797, 798}, {Row::Combo, 799, 800},
                 {Row::Combo, 801, 802}, {Row::Edit, 803, 804}, {Row::Edit, 805, 806}, {Row::Edit, 807, 808},
                 {Row::Edit, 809, 810}, {Row::Edit, 811, 812}, {Row::Edit, 813, 814}, {Row::Check, 815, 816}})},
        {"CP_CAN", 618, {{Row::Combo, 619, 620}}},
        {"CP_CANopen", 621,
         {{Row::Edit, 622, 623}, {Row::Combo, 624, 625}, {Row::Check, 626, 627}, {Row::CheckEdit, 628, 629, 630},
          {Row::Edit, 631, 632}}},
        {"CP_DeviceNet_Master", 642, {{Row::Edit, 643, 644}, {Row::Combo, 645, 646}}},
        {"CP_DeviceNet_Slave", 647,
         {{Row::Edit, 648, 649}, {Row::Combo, 650, 651}, {Row::Edit, 652, 653}, {Row::Edit, 654, 655}}},
        {"CP_EtherNetIP", 656,
         concat(networkRows(657), {{Row::Edit, 673, 674}, {Row::Edit, 675, 676}, {Row::Edit, 677, 678},
                                   {Row::CheckEdit, 679, 680, 681}})},
        {"CP_J1939", 633,
         {{Row::Combo, 634, 635}, {Row::Edit, 636, 637}, {Row::Check, 638, 639}, {Row::Edit, 640, 641}}},
        {"CP_NMEA2000", 710, {{Row::Combo, 711, 712}, {Row::Edit, 713, 714}, {Row::Check, 715, 716}}},
        {"CP_PROFINET", 682,
         concat(networkRows(683), {{Row::Edit, 699, 700}, {Row::Edit, 701, 702}, {Row::Edit, 703, 704},
                                   {Row::Edit, 705, 706}, {Row::CheckEdit, 707, 708, 709},
                                   {Row::Combo, 1124, 1125}})},
        {"CP_SNMP_Manager", 756, concat(networkRows(757), {{Row::Label, 773}})},
        {"CP_SNMP_Agent", 717,
         concat(networkRows(718), {{Row::Edit, 734, 735}, {Row::Edit, 736, 737}, {Row::Edit, 738, 739},
                                   {Row::Versions, 740, 741}, {Row::Edit, 744, 745}, {Row::Combo, 746, 747},
                                   {Row::Edit, 748, 749}, {Row::Combo, 750, 751}, {Row::Edit, 752, 753},
                                   {Row::Combo, 754, 755}})},
        {"CP_MQTT", 406,
         {{Row::Edit, 407, 408}, {Row::Edit, 409, 410}, {Row::Edit, 411, 412}, {Row::Edit, 413, 414},
          {Row::Check, 415, 416}, {Row::Check, 417, 418}, {Row::Edit, 419, 420}, {Row::Edit, 421, 422},
          {Row::Check, 423, 424}, {Row::Combo, 425, 426}, {Row::Edit, 427, 428}, {Row::Edit, 429, 430},
          {Row::Edit, 431, 432}, {Row::Check, 1077, 1078}, {Row::Edit, 1079, 1080}, {Row::Edit, 1081, 1082},
          {Row::Check, 1083, 1084}}},
        {"CP_WiFi", 456,
         {{Row::Combo, 457, 0, 0, 459, 461}, {Row::Check, 462, 463}, {Row::Octets, 464, 465},
          {Row::Octets, 469, 470}, {Row::CheckOctets, 474, 475, 476}, {Row::CheckOctets, 480, 481, 482},
          {Row::Edit, 486, 487}, {Row::Check, 488, 489}, {Row::Edit, 490, 491}, {Row::Edit, 492, 493},
          {Row::Combo, 494, 495, 0, 496, 499}, {Row::Check, 500, 501}, {Row::Octets, 502, 503},
          {Row::Octets, 507, 508}, {Row::Edit, 512, 513}, {Row::Edit, 514, 515}, {Row::Combo, 516, 517},
          {Row::Combo, 518, 519, 0, 520, 531}}},
        {"CP_TLS", 532,
         {{Row::Check, 533, 534}, {Row::Check, 535, 536}, {Row::Edit, 537, 538}, {Row::Check, 539, 540},
          {Row::Edit, 541, 542}, {Row::Edit, 543, 544}, {Row::Edit, 545, 546}}},
        {"CP_NTP", 547, {{Row::Edit, 548, 549}, {Row::Edit, 550, 551}}},
        {"CP_RS232", 1043,
         {{Row::Check, 1044, 1048}, {Row::Combo, 1045, 1049}, {Row::Combo, 1046, 1050}, {Row::Combo, 1047, 1051}}},
        {"CP_RS485_1", 1052,
         {{Row::Check, 1053, 1057}, {Row::Combo, 1054, 1058}, {Row::Combo, 1055, 1059}, {Row::Combo, 1056, 1060}}},
        {"CP_RS485_2", 1061,
         {{Row::Check, 1062, 1066}, {Row::Combo, 1063, 1067}, {Row::Combo, 1064, 1068}, {Row::Combo, 1065, 1069}}},
        {"CP_EtherCAT_Slave", 1104,
         {{Row::Edit, 1105, 1106}, {Row::Edit, 1107, 1108}, {Row::Edit, 1109, 1110}, {Row::Check, 1111, 1112}}},
    };
}

constexpr int kRowPitch = 28;

} // namespace

void TFParGen::Build_Hidden_Panels()
{
    for (const PanelDef &def : hiddenPanels()) {
        TParGenCategoryPanel *panel = CPG->Add_Panel(QLatin1String(def.name));
        m_hiddenCaptions.push_back({panel, def.captionSlot});
        QWidget *body = panel->Body();
        const QString base = QLatin1String(def.name).mid(3); // without "CP_"
        QWidget *last = nullptr;
        int n = 0;
        for (const RowDef &r : def.rows) {
            const int top = 9 + kRowPitch * n++;
            const QString id = base + QLatin1Char('_') + QString::number(n);
            auto label = [&] {
                auto *l = new QLabel(body);
                l->setObjectName(QStringLiteral("L_") + id);
                l->setGeometry(14, top + 3, 175, 14);
                m_hiddenTexts.push_back({l, r.cap, false});
                return l;
            };
            auto check = [&](int x, int w, const QString &suffix, int cap, int hint) {
                auto *c = new QCheckBox(body);
                c->setObjectName(QStringLiteral("CB_") + id + suffix);
                c->setGeometry(x, top + 2, w, 17);
                if (cap)
                    m_hiddenTexts.push_back({c, cap, false});
                if (hint)
                    m_hiddenTexts.push_back({c, hint, true});
                return c;
            };
            auto edit = [&](int x, int w, const QString &suffix, int hint) {
                auto *e = new TParGenEdit(body);
                e->setObjectName(QStringLiteral("E_") + id + suffix);
                e->setGeometry(x, top, w, 21);
                if (hint)
                    m_hiddenTexts.push_back({e, hint, true});
                return e;
            };
            auto octets = [&](int firstHint) {
                static constexpr int left[4] = {191, 252, 313, 374};
                QWidget *e = nullptr;
                for (int i = 0; i < 4; ++i) {
                    e = edit(left[i], 55, QStringLiteral("_%1").arg(i + 1), firstHint + i);
                    m_octets.push_back(e);
                    e->installEventFilter(this); // "." is swallowed, the focus stays
                }
                return e;
            };
            switch (r.kind) {
            case Row::Edit:
                label();
                last = edit(191, 238, QString(), r.hint);
                break;
            case Row::Combo: {
                label();
                auto *c = new QComboBox(body);
                c->setObjectName(QStringLiteral("CB_") + id);
                c->setGeometry(191, top, 238, 22);
                if (r.hint)
                    m_hiddenTexts.push_back({c, r.hint, true});
                if (r.firstItem)
                    m_hiddenLists.push_back({c, r.firstItem, r.lastItem});
                last = c;
                break;
            }
            case Row::Check:
                last = check(14, 415, QString(), r.cap, r.hint);
                break;
            case Row::Octets:
                label();
                last = octets(r.hint);
                break;
            case Row::CheckOctets:
                check(14, 175, QString(), r.cap, r.hint);
                last = octets(r.hint2);
                break;
            case Row::CheckEdit:
                check(14, 175, QString(), r.cap, r.hint);
                last = edit(191, 238, QString(), r.hint2);
                break;
            case Row::Label:
                last = label();
                break;
            case Row::Versions:
                label();
                for (int i = 0; i < 3; ++i) {
                    QCheckBox *c = check(191 + 80 * i, 70, QStringLiteral("_%1").arg(i + 1), 0, r.hint + i);
                    c->setText(QStringLiteral("V%1").arg(i + 1));
                    last = c;
                }
                break;
            }
        }
        if (last)
            Set_Panel_Height(panel, last);
        panel->hide();
    }
}

void TFParGen::Set_Lang_Hidden_Panels()
{
    for (const auto &[panel, slot] : m_hiddenCaptions)
        panel->Set_Caption(LT(slot));
    for (const HiddenText &t : m_hiddenTexts) {
        if (t.hint)
            t.widget->setToolTip(LT(t.slot));
        else if (auto *l = qobject_cast<QLabel *>(t.widget))
            l->setText(LT(t.slot));
        else if (auto *b = qobject_cast<QAbstractButton *>(t.widget))
            b->setText(LT(t.slot));
    }
    for (const HiddenList &l : m_hiddenLists) {
        const QSignalBlocker block(l.combo);
        l.combo->clear();
        for (int s = l.first; s <= l.last; ++s)
            l.combo->addItem(LT(s));
        l.combo->setCurrentIndex(0);
    }
}
