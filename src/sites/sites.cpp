#include "sites/sites.h"

namespace corvalen {

Sites Sites::production()
{
    return Sites {
        QStringLiteral(CORVALEN_COIN_SITE),
        QStringLiteral(CORVALEN_FAVOURITES_SITE),
        QStringLiteral(CORVALEN_BRAND_SITE),
        QStringLiteral(CORVALEN_SPECIAL_SITE),
        QStringLiteral(CORVALEN_CLICK_SITE),
        QStringLiteral(CORVALEN_MAKER_SITE),
        QStringLiteral(CORVALEN_TONE_HOST),
        QStringLiteral(CORVALEN_PUBLISHER_ID),
        QStringLiteral(CORVALEN_CLICK_TOKEN),
        QStringLiteral(CORVALEN_CONTACT_QQ),
    };
}

Sites Sites::allAt(const QString& base)
{
    Sites sites = production();
    sites.coin = sites.favourites = sites.brand = sites.special = sites.click = sites.maker = base;
    sites.toneHost = base + QStringLiteral("/tones/");
    return sites;
}

} // namespace corvalen
