#pragma once
// Shared fixture pieces of the editor control tests: counted beeps, hand-fired timers,
// fixed format settings.
#include <QApplication>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "grid/base/EditorKit.h"
#include "platform/FormatSettings.h"
#include "support/LocaleSettings.h"

namespace editortest {

class FakeTimer : public editorkit::EditorTimer {
public:
    void setInterval(int ms) override { m_interval = ms; }
    int interval() const override { return m_interval; }
    void start() override { m_active = true; ++starts; }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    void fire()
    {
        if (m_active && onTimeout) onTimeout();
    }
    int starts = 0;

private:
    int m_interval = 0;
    bool m_active = false;
};

using testsupport::usSettings;
inline platform::FormatSettings germanSettings() { return testsupport::europeanSettings(); }

// Counts beeps and hands out fake timers for one test.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editorkit::setBeepHook([this] { ++beeps; });
        editorkit::setTimerFactory([this] {
            auto t = std::make_unique<FakeTimer>();
            timers.push_back(t.get());
            return std::unique_ptr<editorkit::EditorTimer>(std::move(t));
        });
        m_fs = std::make_unique<platform::ScopedFormatSettings>(usSettings());
    }
    void TearDown() override
    {
        editorkit::setBeepHook({});
        editorkit::setTimerFactory({});
        m_fs.reset();
    }
    void useSettings(const platform::FormatSettings &fs)
    {
        m_fs.reset();
        m_fs = std::make_unique<platform::ScopedFormatSettings>(fs);
    }
    // Shows a widget in its own active window so focus and keys behave as for a user.
    void showActive(QWidget *w)
    {
        w->show();
        QApplication::setActiveWindow(w->window());
        w->activateWindow();
        w->setFocus();
        QApplication::processEvents();
    }
    static void saveShot(QWidget *w, const QString &name)
    {
        if (!qEnvironmentVariableIsSet("EDITOR_SHOTS")) return;
        const QImage img = w->grab().toImage();
        img.save(QStringLiteral("/tmp/") + name + QStringLiteral(".png"));
        img.scaled(img.size() * 3).save(QStringLiteral("/tmp/") + name + QStringLiteral("_x3.png"));
    }

    int beeps = 0;
    std::vector<FakeTimer *> timers;

private:
    std::unique_ptr<platform::ScopedFormatSettings> m_fs;
};

} // namespace editortest
