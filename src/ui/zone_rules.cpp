#include "ui/zone_rules.h"

#include "model/dialogs.h"
#include "ui/document.h"
#include "ui/qt_file_access.h"

namespace tessel {

ZoneRules::ZoneRules(QObject *parent)
    : QObject(parent)
{}

const RuleTable &ZoneRules::table() const
{
    if (!m_table)
        m_table.emplace();
    return *m_table;
}

const RuleSet &ZoneRules::ruleSet() const
{
    if (m_loaded)
        return *m_loaded;
    if (!m_builtIn)
        m_builtIn = builtInRuleSet(table());
    return *m_builtIn;
}

bool ZoneRules::load(const std::string &path, Dialogs &dialogs)
{
    const auto refuse = [&](const std::string &why) {
        dialogs.showMessage("The rule set \"" + path + "\" cannot be used: " + why +
                                ".\n\nThe rules stay as they were.",
                            Icon::Critical);
        return false;
    };
    const FileAccess::Content content = QtFileAccess().readAll(path, kMaxRuleSetBytes);
    if (!content.ok)
        return refuse(content.error);
    auto read = readRuleSet(content.bytes, table());
    if (auto *error = std::get_if<std::string>(&read))
        return refuse(*error);
    m_loaded = std::move(std::get<RuleSet>(read));
    emit changed();
    return true;
}

void ZoneRules::useBuiltIn()
{
    if (!m_loaded)
        return;
    m_loaded.reset();
    emit changed();
}

ZoneSettings zoneSettings(const Document &document)
{
    const PlotState &plot = document.plot();
    return {plot.zoneMethod, static_cast<int>(plot.facing), plot.bearing,
            plotFeet(document.editor().scales)};
}

} // namespace tessel
