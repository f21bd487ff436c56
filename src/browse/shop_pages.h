#pragma once

#include "sites/sites.h"

namespace corvalen::ShopPages {

// The pages of the shopping sites that the tabs and the step guide open.
inline QString watchedList(const Sites& s)
{
    return s.coin + QStringLiteral("/home/full_exchange_home.htm?coin=0");
}
inline QString coinHome(const Sites& s)
{
    return s.coin + QStringLiteral("/home/home_new.htm?");
}
inline QString groupBuying(const Sites& s)
{
    return s.click + QStringLiteral("/t?e=") + s.clickToken;
}
inline QString brandDiscounts(const Sites& s)
{
    return s.brand + QStringLiteral("/brand_store.htm?pid=") + s.publisherId
        + QStringLiteral("_0_0");
}
inline QString specialPrices(const Sites& s)
{
    return s.special + QStringLiteral("/?pid=") + s.publisherId + QStringLiteral("_0_0");
}
inline QString favouriteShops(const Sites& s)
{
    return s.favourites + QStringLiteral("/collect_list.htm?itemtype=0");
}

} // namespace corvalen::ShopPages
