#include "platform/services.h"

namespace velm {

Services& Platform() {
    static Services services;
    return services;
}

}  // namespace velm
