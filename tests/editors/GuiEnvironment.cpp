#include <QApplication>
#include <gtest/gtest.h>

namespace {

// The widget tests need one application for the whole run.
class GuiEnvironment final : public testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "editors_tests";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Tarvex Programmer"));
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

const auto* const environment = testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
