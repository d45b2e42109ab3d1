#pragma once

#include "CaptureSound.h"
#include "FakeClock.h"
#include "FakeSerialPort.h"
#include "MemoryProfile.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "store/AppContext.h"
#include "platform/ComPorts.h"
#include "store/ErrorLog.h"
#include "store/SettingsNotices.h"
#include "store/SettingsTables.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>
#include <utility>
#include <gtest/gtest.h>

// Scripted dialogs that can also act while a message is up, as a user or
// the window system would (another focus change, say).
class HookedDialogs final : public Dialogs {
public:
    ScriptedDialogs script;
    std::function<void()> whileShown;

    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon) override
    {
        if (whileShown)
            whileShown();
        return script.message(title, text, buttons, icon);
    }
    std::optional<QString> input(const QString& t, const QString& p, const QString& d) override
    {
        return script.input(t, p, d);
    }
    std::optional<QString> openFile(const QString& t, const QString& f, const QString& x) override
    {
        return script.openFile(t, f, x);
    }
    std::optional<QString> saveFile(const QString& t, const QString& p, const QString& x) override
    {
        return script.saveFile(t, p, x);
    }
};

struct EditorFixture : testing::Test {
    SettingsTables tables;
    MemoryProfile profile;
    HookedDialogs dialogs;
    FakeClock clock;
    ErrorLog log;
    FakeSerialPort serial;
    CaptureSound sound{&clock};
    SettingsNotices notices;
    ComPorts comPorts{[](const QString&) { return QString(); }, [] { return QStringList(); }};
    AppContext context{tables, profile, dialogs, clock, log, QStringLiteral("zarn.ini"), serial, comPorts, sound, notices};

    QStringList messages() const { return dialogs.script.untitledTexts(); }

    // A control of parent's by its name; a missing one fails the test.
    template <typename T = QLineEdit> static T* find(const QObject& parent, const QString& name)
    {
        T* w = parent.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    static void focusIn(QWidget* w, Qt::FocusReason reason = Qt::TabFocusReason)
    {
        QFocusEvent e(QEvent::FocusIn, reason);
        QApplication::sendEvent(w, &e);
    }
    static void focusOut(QWidget* w, Qt::FocusReason reason = Qt::TabFocusReason)
    {
        QFocusEvent e(QEvent::FocusOut, reason);
        QApplication::sendEvent(w, &e);
    }
    // Typed by the user, as into a box with the focus.
    static void type(QLineEdit* box, const QString& text)
    {
        focusIn(box);
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
    }
    // Shown as a window of its own and active, so that clicks move the focus
    // as they do for the user.
    static void showActive(QWidget* w)
    {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    // The user shows page `index` by a click on its tab.
    static void clickPage(QTabWidget* pages, int index)
    {
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(index).center());
        ASSERT_EQ(pages->currentIndex(), index);
    }
    static bool red(const QWidget* control) { return control->palette().color(QPalette::Text) == QColor(Qt::red); }
    // The text a list draws: its current item, or with none chosen the
    // stored text it shows as its placeholder.
    static QString ListText(const QComboBox* list)
    {
        return list->currentIndex() < 0 ? list->placeholderText() : list->currentText();
    }
    // Picked by the user: only a pick raises activated.
    static void pick(QComboBox* list, const QString& item)
    {
        const int index = list->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
};

// The fixture of one editor: load() makes it from the tables (and whatever
// else its constructor takes after the context), its controls are found by
// name and its lists picked by name. Base is the fixture it stands on.
template <typename Editor, typename Base = EditorFixture> struct EditorTest : Base {
    std::unique_ptr<Editor> editor;

    template <typename... Args> Editor& load(Args&&... args)
    {
        editor = std::make_unique<Editor>(this->context, std::forward<Args>(args)...);
        return *editor;
    }
    using Base::find;
    template <typename T = QLineEdit> T* find(const QString& name) const
    {
        return Base::template find<T>(*editor, name);
    }
    using Base::pick;
    void pick(const QString& list, const QString& item) { pick(find<QComboBox>(list), item); }
};
