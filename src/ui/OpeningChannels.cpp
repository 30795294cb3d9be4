#include "ui/OpeningChannels.h"

#include "core/Channels.h"

#include <QCheckBox>
#include <QRegularExpression>

namespace OpeningChannels {

std::vector<int> Parse(const QString& list, QStringList* unknown) {
    std::vector<bool> named(ChannelCount, false);
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    for (const QString& name : list.split(separators, Qt::SkipEmptyParts)) {
        int found = -1;
        for (int c = 0; c < ChannelCount; ++c)
            if (name.compare(QLatin1String(ChannelShortNames[static_cast<size_t>(c)]),
                             Qt::CaseInsensitive) == 0)
                found = c;
        if (found >= 0)
            named[static_cast<size_t>(found)] = true;
        else if (unknown != nullptr)
            *unknown << name;
    }
    std::vector<int> channels;
    for (int c = 0; c < ChannelCount; ++c)
        if (named[static_cast<size_t>(c)])
            channels.push_back(c);
    return channels;
}

QString Format(const std::vector<int>& channels) {
    QStringList names;
    for (int channel : channels)
        if (channel >= 0 && channel < ChannelCount)
            names << QLatin1String(ChannelShortNames[static_cast<size_t>(channel)]);
    return names.join(QLatin1Char(','));
}

std::vector<int> YieldChannels() { return {ChT1, ChT2, ChFlow, ChPower, ChR1}; }

void Tick(QWidget& form, bool hasData, const std::vector<int>& channels) {
    if (!hasData)
        return;
    for (int channel : channels) {
        if (channel < 0 || channel >= ChannelCount)
            continue;
        auto* box = form.findChild<QCheckBox*>(
            QStringLiteral("CB_") + QLatin1String(ChannelShortNames[static_cast<size_t>(channel)]));
        if (box != nullptr && box->isEnabled() && !box->isChecked())
            box->click();
    }
}

} // namespace OpeningChannels
