#include "crossangles.h"

#include "angles.h"

#include <cmath>

namespace velorin {

std::vector<CrossAspect> findCrossAspects(const Longitudes& first, const Longitudes& second,
                                          const EngineSettings& settings) {
    std::vector<CrossAspect> out;
    for (int i = Sun; i <= Moon; ++i) {
        for (int j = Sun; j <= Moon; ++j) {
            const double d =
                normalize360(std::fabs(second[size_t(j)]) - std::fabs(first[size_t(i)]));
            // Angles first, then mirror angles, as the natal search reports.
            bool found[9] = {};
            for (int pass = 0; pass < 2; ++pass) {
                for (const AspectKind& a : aspectTable()) {
                    const int angle = pass == 0 ? a.angle : a.mirror;
                    const double orb = double(settings.orbs[size_t(a.settingIndex)]);
                    if (found[a.k] || std::fabs(angle - d) > orb)
                        continue;
                    found[a.k] = true;
                    out.push_back({i, j, a.k});
                }
            }
        }
    }
    return out;
}

std::string crossAspectLine(const CrossAspect& a) {
    return bodyName(a.first) + "  " + aspectKind(a.kind).name + "  " + bodyName(a.second);
}

} // namespace velorin
