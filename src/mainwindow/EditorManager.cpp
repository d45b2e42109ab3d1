#include "mainwindow/EditorManager.h"

#include "editors/EditorWindow.h"
#include "store/Setting.h"

#include <QStackedWidget>
#include <algorithm>
#include <memory>

EditorManager::EditorManager(AppContext& context, ControllerLink& link, EditorTabList tabs, QStackedWidget* area)
    : m_context(context), m_link(link), m_tabs(std::move(tabs)), m_startUp(StartUpTabs(m_tabs)), m_area(area),
      m_editors(m_tabs.size(), nullptr)
{
}

// Gone with the main window, before the link the editors hold.
EditorManager::~EditorManager()
{
    for (EditorWindow* e : m_editors)
        delete e;
}

bool EditorManager::isLoaded(int tab) const { return editor(tab) != nullptr; }

EditorWindow* EditorManager::editor(int tab) const
{
    return tab >= 0 && tab < count() ? m_editors[tab] : nullptr;
}

EditorWindow* EditorManager::load(int tab)
{
    if (tab < 0 || tab >= count())
        return nullptr;
    if (!m_editors[tab]) {
        m_editors[tab] = m_tabs[tab].create(m_context, m_link, m_area);
        m_area->addWidget(m_editors[tab]);
    }
    return m_editors[tab];
}

// A File Open chosen while an editor's handler lets events through (a
// preview, codes on their way) closes that editor under the handler: it is
// hidden at once and deleted once the handler has returned.
void EditorManager::close(int tab)
{
    if (EditorWindow* e = editor(tab)) {
        m_editors[tab] = nullptr;
        m_area->removeWidget(e);
        e->hide();
        e->deleteLater();
    }
}

void EditorManager::bringToFront(int tab)
{
    if (EditorWindow* e = load(tab))
        m_area->setCurrentWidget(e);
}

int EditorManager::frontTab() const
{
    for (int tab = 0; tab < count(); ++tab)
        if (m_editors[tab] && m_editors[tab] == m_area->currentWidget())
            return tab;
    return -1;
}

bool EditorManager::doApply(int tab)
{
    EditorWindow* e = editor(tab);
    return !e || e->applyEdits();
}

bool EditorManager::checkEdits(int tab)
{
    EditorWindow* e = editor(tab);
    return !e || e->checkEdits();
}

bool EditorManager::applyForCommand(int tab)
{
    EditorWindow* e = editor(tab);
    return !e || e->applyForCommand();
}

std::optional<int> EditorManager::applyAllForCommand(int first)
{
    std::vector<int> order{first};
    for (int tab = 0; tab < count(); ++tab)
        if (tab != first)
            order.push_back(tab);
    for (int tab : order)
        if (!applyForCommand(tab))
            return tab;
    return std::nullopt;
}

QStringList EditorManager::shownNames(const std::vector<Setting>& settings) const
{
    std::vector<QString> names(settings.size());
    for (int tab = 0; tab < count(); ++tab) {
        if (std::ranges::none_of(names, &QString::isEmpty))
            break;
        std::unique_ptr<EditorWindow> lookUp;
        const EditorWindow* e = editor(tab);
        if (!e) {
            lookUp.reset(m_tabs[tab].create(m_context, m_link, nullptr));
            e = lookUp.get();
        }
        for (std::size_t s = 0; s < settings.size(); ++s)
            if (names[s].isEmpty())
                if (const QString box = e->captionOf(settings[s]); !box.isEmpty())
                    names[s] = QStringLiteral("%1 (%2)").arg(box, caption(tab));
    }
    QStringList shown;
    for (const QString& name : names)
        if (!name.isEmpty() && !shown.contains(name))
            shown << name;
    return shown;
}

void EditorManager::reloadAll(int front)
{
    for (int tab = 0; tab < count(); ++tab)
        close(tab);
    for (int tab : m_startUp)
        load(tab);
    bringToFront(front);
}
