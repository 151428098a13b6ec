#include "model/Hints.h"

namespace portdesk {

TradeModeHint tradeModeHint(const QString &tradeMode)
{
    if (tradeMode == QStringLiteral("外商投资"))
        return {QStringLiteral("需要：外商投资企业进口设备审核表（复印件）"), true};
    if (tradeMode == QStringLiteral("退运货物"))
        return {QStringLiteral("需要：出口退运货物情况登记表、原出口报关单（复印件）"), true};
    return {QString(), false};
}

QString permitHint(const QString &permit)
{
    if (permit.isEmpty())
        return QString();
    return QStringLiteral("需要：CCC证书 或 免CCC证 或 目录外核查书、声明 "
                          "（进口能源效率标识产品目录外声明、识别记录）");
}

} // namespace portdesk
