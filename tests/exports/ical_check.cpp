// Reads an iCalendar file the way calendar programs do, through libical: fails when the
// parser or the iTIP restrictions find anything wrong, else prints one line per event
// (UID, start, end, summary as the client shows it) for the caller to compare.

#include <libical/ical.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int fail(const char* what) {
    std::fprintf(stderr, "ical_check: %s\n", what);
    return 1;
}

std::string dateText(icaltimetype t) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d%s", t.year, t.month, t.day,
                  icaltime_is_date(t) ? "" : "T");
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return fail("usage: ical_check FILE.ics");
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof())
        return fail("cannot read the file");

    icalcomponent* calendar = icalparser_parse_string(text.c_str());
    if (calendar == nullptr || icalcomponent_isa(calendar) != ICAL_VCALENDAR_COMPONENT)
        return fail("not a calendar");
    const int parseErrors = icalcomponent_count_errors(calendar);
    const int restrictionsHold = icalrestriction_check(calendar);
    const int afterCheck = icalcomponent_count_errors(calendar);
    if (parseErrors != 0 || restrictionsHold == 0 || afterCheck != 0) {
        std::fprintf(stderr, "%s\n", icalcomponent_as_ical_string(calendar));
        icalcomponent_free(calendar);
        return fail("libical reports errors");
    }
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event != nullptr;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const char* summary = icalcomponent_get_summary(event);
        std::printf("%s\t%s\t%s\t%s\n", icalcomponent_get_uid(event),
                    dateText(icalcomponent_get_dtstart(event)).c_str(),
                    dateText(icalcomponent_get_dtend(event)).c_str(), summary ? summary : "");
    }
    icalcomponent_free(calendar);
    return 0;
}
