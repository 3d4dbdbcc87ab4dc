#include "miraval/app/Programmstart.h"

#include "miraval/app/Main.h"

#include <exception>

int StarteGeschuetzt(const std::function<int()>& lauf)
{
    try {
        return lauf();
    } catch (const std::exception& e) {
        TFormMain::ApplicationEventsException(e.what());
    } catch (...) {
        TFormMain::ApplicationEventsException("");
    }
    return 0;
}
