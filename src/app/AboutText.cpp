#include "app/AboutText.h"

#include "AppVersion.h"

namespace wx {

std::string aboutText() {
    return "Nubiro\r\n"
           "\r\n"
           "Реальная погода в Microsoft Flight Simulator 2004: сводки аэропортов и модельные данные.\r\n"
           "(METAR / SIGMET / Open-Meteo -> FSUIPC NWI)\r\n"
           "\r\n"
           "Nubiro developers\r\n"
           "Версия " NUBIRO_VERSION_TEXT;
}

}  // namespace wx
