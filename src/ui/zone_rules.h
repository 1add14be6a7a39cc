#pragma once

#include "analysis/rule_set.h"
#include "analysis/rule_table.h"
#include "analysis/zone_analysis.h"

#include <QObject>

#include <optional>
#include <string>

namespace tessel {

class Dialogs;
class Document;

// The rules the wheel judges by: the built-in set, derived from the rule table, or a
// consultant's own, loaded from a file. Both are made the first time they are asked for:
// start-up needs neither.
class ZoneRules : public QObject
{
    Q_OBJECT
public:
    explicit ZoneRules(QObject *parent = nullptr);

    const RuleTable &table() const;
    const RuleSet &ruleSet() const;
    bool isBuiltIn() const { return !m_loaded.has_value(); }

    // Reads a rule set file; a file that cannot be used is refused with a message and the
    // rules stay as they were.
    bool load(const std::string &path, Dialogs &dialogs);
    void useBuiltIn();

signals:
    void changed();

private:
    mutable std::optional<RuleTable> m_table;
    mutable std::optional<RuleSet> m_builtIn;
    std::optional<RuleSet> m_loaded;
};

// The zone settings of a document's plot as it stands.
ZoneSettings zoneSettings(const Document &document);

} // namespace tessel
