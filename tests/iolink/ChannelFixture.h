#pragma once
// Builds small IODD files and a program folder for the channel table tests.
#include "iolink/UIO_Link_Channels.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

struct IoddRecipe {
    QString datatypes;   // content of DatatypeCollection
    QString variables;   // own Variable elements
    bool stdVariables = false;
    QString pdIn;        // type element inside ProcessDataIn, empty for none
    int pdInBits = 0;
    QString pdOut;
    int pdOutBits = 0;
    QString moreProcessData;  // further ProcessData elements (conditions)
    int ownEvents = 0;
    bool stdEvents = false;
    QString menus;       // content of MenuCollection
};

inline QByteArray makeIodd(const IoddRecipe &s)
{
    QString events;
    if (s.stdEvents) events += "<StdEventRef code=\"20496\"/><StdEventRef code=\"16912\"/>";
    QString texts = "<Text id=\"T_DeviceName\" value=\"Test Device\"/><Text id=\"T_PD\" value=\"Process data\"/>"
                    "<Text id=\"T_Var\" value=\"Own variable\"/><Text id=\"T_Item\" value=\"Item\"/>";
    for (int i = 0; i < s.ownEvents; ++i) {
        events += QString("<Event code=\"%1\" type=\"Notification\"><Name textId=\"T_E%1\"/></Event>").arg(36000 + i);
        texts += QString("<Text id=\"T_E%1\" value=\"Own event %1\"/>").arg(36000 + i);
    }
    QString pd = "<ProcessData id=\"P_Data\">";
    if (!s.pdIn.isEmpty())
        pd += QString("<ProcessDataIn id=\"PI\" bitLength=\"%1\">%2<Name textId=\"T_PD\"/></ProcessDataIn>").arg(s.pdInBits).arg(s.pdIn);
    if (!s.pdOut.isEmpty())
        pd += QString("<ProcessDataOut id=\"PO\" bitLength=\"%1\">%2<Name textId=\"T_PD\"/></ProcessDataOut>").arg(s.pdOutBits).arg(s.pdOut);
    pd += "</ProcessData>" + s.moreProcessData;
    const QString xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<IODevice xmlns=\"http://www.io-link.com/IODD/2010/10\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
        "<DocumentInfo version=\"V1\" releaseDate=\"2024-01-01\" copyright=\"test\"/>"
        "<ProfileHeader><ProfileIdentification>IO Device Profile</ProfileIdentification><ProfileRevision>1.1</ProfileRevision>"
        "<ProfileName>Device Profile for IO Devices</ProfileName><ProfileSource>IO-Link Consortium</ProfileSource>"
        "<ProfileClassID>Device</ProfileClassID><ISO15745Reference><ISO15745Part>1</ISO15745Part>"
        "<ISO15745Edition>1</ISO15745Edition><ProfileTechnology>IODD</ProfileTechnology></ISO15745Reference></ProfileHeader>"
        "<ProfileBody><DeviceIdentity vendorId=\"888\" deviceId=\"4711\" vendorName=\"Test Vendor\">"
        "<DeviceName textId=\"T_DeviceName\"/></DeviceIdentity><DeviceFunction>"
        "<Features blockParameter=\"false\" dataStorage=\"false\"/>"
        "<DatatypeCollection>" + s.datatypes + "</DatatypeCollection>"
        "<VariableCollection>" + QString(s.stdVariables ? "<StdVariableRef id=\"V_DeviceAccessLocks\"/><StdVariableRef id=\"V_VendorName\"/>" : "")
        + s.variables + "</VariableCollection>"
        "<ProcessDataCollection>" + pd + "</ProcessDataCollection>"
        "<EventCollection>" + events + "</EventCollection>"
        "<UserInterface><MenuCollection>" + s.menus + "</MenuCollection></UserInterface>"
        "</DeviceFunction></ProfileBody>"
        "<CommNetworkProfile xsi:type=\"IOLinkCommNetworkProfileT\" iolinkRevision=\"V1.1\"><TransportLayers>"
        "<PhysicalLayer bitrate=\"COM2\" minCycleTime=\"2300\" sioSupported=\"true\" mSequenceCapability=\"27\"/>"
        "</TransportLayers></CommNetworkProfile>"
        "<ExternalTextCollection><PrimaryLanguage xml:lang=\"en\">" + texts + "</PrimaryLanguage></ExternalTextCollection>"
        "</IODevice>";
    return xml.toUtf8();
}

// A program folder with the standard definitions, a catalog and one open configuration "P".
class ChannelTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Init_Program_Dirs(dir.path());
        QFile::copy(testsupport::dataDir() + "/channels/stadef/IODD-StandardDefinitions1.1.xml",
                    IOLink_StaDef_Dir + "IODD-StandardDefinitions1.1.xml");
        Project_Path = Projects_Dir + "/P";
        QDir().mkpath(Project_Path);
        Set_Files();
        Load_Default_Texts();
        table.Report = [this](TIOLink_Channel_Table::MsgKind k, const QString &t) {
            messages << (k == TIOLink_Channel_Table::MsgKind::Warning ? "W: " : "E: ") + t;
        };
    }
    void catalog(const QString &name, const IoddRecipe &recipe)
    {
        QFile f(IODD_Catalog_Dir + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(makeIodd(recipe));
    }
    void parGen(const QString &variant)
    {
        QFile f(ParGen_File);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("<Par_Gen><IOLink_SelectDevice>" + variant + "</IOLink_SelectDevice></Par_Gen>").toUtf8());
    }
    void assign(int channel, const QString &name, const IoddRecipe &recipe, const QString &mode = "IO-Link")
    {
        catalog(name, recipe);
        QString err;
        ASSERT_TRUE(table.Assign_IODD(channel, name, &err)) << err.toStdString();
        table.Channels[size_t(channel)].Pin4Mode = mode;
    }
    // The real standard definitions in IOLink_StaDef, the channels made, and each named device
    // description of the shared folder assigned in IO-Link mode to the channels from the first on.
    // The caller skips without the shared folder.
    void assignSharedIodds(const QStringList &names)
    {
        const QString corpus = testsupport::sharedIoddDir();
        const QString standard = IOLink_StaDef_Dir + "IODD-StandardDefinitions1.1.xml";
        QFile::remove(standard);
        ASSERT_TRUE(QFile::copy(corpus + "/standard/IODD-StandardDefinitions1.1.xml", standard));
        ASSERT_TRUE(table.Create_Channels());
        for (int i = 0; i < names.size(); ++i) {
            ASSERT_TRUE(QFile::copy(corpus + "/devices/" + names[i], IODD_Catalog_Dir + "/" + names[i]));
            QString err;
            ASSERT_TRUE(table.Assign_IODD(i, names[i], &err)) << err.toStdString();
            table.Channels[size_t(i)].Pin4Mode = "IO-Link";
        }
    }
    static QStringList placed(const TProcDataList &l)
    {
        QStringList out;
        for (const auto &e : l) out << e.position + "/" + e.bit;
        return out;
    }
    static QStringList placed(const std::vector<TEventObjValue> &l)
    {
        QStringList out;
        for (const auto &e : l) out << e.Position + "/" + e.Bit;
        return out;
    }

    QTemporaryDir dir;
    TIOLink_Channel_Table table;
    QStringList messages;
};

// Common data types.
inline const QString kU32 = "<Datatype xsi:type=\"UIntegerT\" bitLength=\"32\"/>";
inline const QString kU16 = "<Datatype xsi:type=\"UIntegerT\" bitLength=\"16\"/>";
inline QString recordOf(const QStringList &items, int bits)
{
    QString x = QString("<Datatype xsi:type=\"RecordT\" bitLength=\"%1\">").arg(bits);
    int sub = 1;
    for (const QString &i : items)
        x += QString("<RecordItem subindex=\"%1\" bitOffset=\"0\">%2<Name textId=\"T_Item\"/></RecordItem>").arg(sub++).arg(i);
    return x + "</Datatype>";
}
inline QString simple(const char *type, int bits = 0)
{
    return bits ? QString("<SimpleDatatype xsi:type=\"%1\" bitLength=\"%2\"/>").arg(type).arg(bits)
                : QString("<SimpleDatatype xsi:type=\"%1\"/>").arg(type);
}
