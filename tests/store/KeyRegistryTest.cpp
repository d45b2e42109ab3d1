#include "StoreFixture.h"
#include "store/FilePlans.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <stdexcept>

namespace {

using KeyId = QString; // section/key

KeyId id(const KeyStem& stem, int i) { return stem.section + u'/' + stem.keyName(i); }

QHash<KeyId, int> covered(const std::vector<PlanPart>& parts)
{
    QHash<KeyId, int> seen;
    for (const auto& part : parts) {
        for (const KeyStem* stem : part.stems) {
            EXPECT_EQ(stem->isArray() ? stem->count : 0, part.loop) << stem->name.toStdString();
            if (part.loop == 0)
                ++seen[id(*stem, 0)];
            for (int i = 1; i <= part.loop; ++i)
                ++seen[id(*stem, i)];
        }
    }
    return seen;
}

void expectEveryKeyOnce(const QHash<KeyId, int>& seen)
{
    EXPECT_EQ(seen.size(), ConfigurationKeys);
    for (auto it = seen.begin(); it != seen.end(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key().toStdString();
    ForEachKey([&](const KeyStem& stem, int i) { EXPECT_TRUE(seen.contains(id(stem, i))); });
}

} // namespace

TEST(KeyRegistry, CoversTheWholeConfigurationOnce)
{
    QSet<QString> sections;
    QSet<QString> keys;
    QSet<QString> names;
    int count = 0;
    ForEachKey([&](const KeyStem& stem, int i) {
        sections.insert(stem.section);
        // Names match case-insensitively in the file.
        keys.insert((stem.section + u'/' + stem.keyName(i)).toLower());
        names.insert(stem.name);
        ++count;
    });
    EXPECT_EQ(count, ConfigurationKeys);
    EXPECT_EQ(keys.size(), ConfigurationKeys);
    EXPECT_EQ(sections.size(), ConfigurationSections);
    EXPECT_EQ(static_cast<size_t>(names.size()), KeyRegistry().size());

    // Every tested key knows what to log and what to put in place.
    for (const auto& stem : KeyRegistry()) {
        if (stem.rule.check == Check::AsRead)
            continue;
        EXPECT_FALSE(stem.label.isEmpty()) << stem.name.toStdString();
        EXPECT_FALSE(stem.fallback.isEmpty()) << stem.name.toStdString();
        for (int i = 1; i <= std::max(stem.count, 1); ++i)
            EXPECT_TRUE(stem.rule.accepts(stem.rule.normalised(stem.defaultValue(stem.isArray() ? i : 0))))
                << "default refused: " << stem.name.toStdString();
    }
}

// A setting is held under one stem at most: the editors and the download
// find its key, rule and name by it.
TEST(KeyRegistry, FindsEachStemByItsSetting)
{
    for (const auto& stem : KeyRegistry())
        EXPECT_EQ(StemOf(stem.setting), &stem) << stem.name.toStdString();
    EXPECT_EQ(StemOf(&SettingsTables::Lock), nullptr) << "a copy held in memory only";
    EXPECT_EQ(StemOf(Setting{}), nullptr);
    EXPECT_EQ(&FindStem(&SettingsTables::CurrentLock), &FindStem(QStringLiteral("Lock")));
    EXPECT_THROW(FindStem(&SettingsTables::Lock), std::invalid_argument);
}

TEST(KeyRegistry, ReaderAndWriterPlansEachCoverEveryKeyOnce)
{
    expectEveryKeyOnce(covered(ReaderPlan()));

    std::vector<PlanPart> written;
    for (const auto& step : WriterPlan())
        written.insert(written.end(), step.parts.begin(), step.parts.end());
    expectEveryKeyOnce(covered(written));
}
