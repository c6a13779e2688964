// The answer of the version query comes from the network: splitting it and comparing the version
// must hold for any bytes.
#include "platform/HttpClient.h"
#include "shell/UComon.h"
#include "shell/USoftOptions_Version.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    int status = 0;
    QByteArray body;
    if (platform::parseHttpReply(raw, status, body)) {
        if (body.size() > raw.size()) __builtin_trap();
    } else if (!body.isEmpty()) {
        __builtin_trap();
    }
    const QString reply = QString::fromLatin1(body.isEmpty() ? raw : body);
    const int version = Conv_Version(Trim_Text(reply));
    if (version < -1 || version > 9999) __builtin_trap();
    const bool newer = Is_Newer_Version_Reply(reply, kSWVersion);
    if (newer && version <= 1103) __builtin_trap();
    return 0;
}
