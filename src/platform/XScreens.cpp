#include "platform/XScreens.h"

#include <QByteArray>
#include <QRect>
#include <QtGlobal>

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

struct Disconnect
{
    void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
};

// The value of a Qt command-line option (`-name value` or `-name=value`),
// empty when not given.
QByteArray optionValue(int argc, char **argv, const char *name)
{
    const std::size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (!arg || arg[0] != '-')
            continue;
        const char *bare = arg[1] == '-' ? arg + 2 : arg + 1;
        if (std::strncmp(bare, name, length) != 0)
            continue;
        if (bare[length] == '=')
            return QByteArray(bare + length + 1);
        if (bare[length] == '\0' && i + 1 < argc)
            return QByteArray(argv[i + 1]);
    }
    return QByteArray();
}

xcb_screen_t *screenNumber(xcb_connection_t *connection, int number)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; it.rem; --number, xcb_screen_next(&it)) {
        if (number == 0)
            return it.data;
    }
    return nullptr;
}

// RandR 1.5 monitors: the screens Qt shows, with the primary flag.
bool monitors(xcb_connection_t *c, xcb_window_t root, QList<ScreenMetrics::Screen> *screens)
{
    Reply<xcb_randr_get_monitors_reply_t> reply(
        xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, root, 1), nullptr));
    if (!reply)
        return false;
    xcb_randr_monitor_info_iterator_t it = xcb_randr_get_monitors_monitors_iterator(reply.get());
    for (; it.rem; xcb_randr_monitor_info_next(&it)) {
        const QRect geometry(it.data->x, it.data->y, it.data->width, it.data->height);
        if (it.data->primary)
            screens->prepend({geometry, QRect()});
        else
            screens->append({geometry, QRect()});
    }
    return !screens->isEmpty();
}

// RandR 1.2 to 1.4: the connected outputs that drive a CRTC.
bool outputs(xcb_connection_t *c, xcb_window_t root, QList<ScreenMetrics::Screen> *screens)
{
    const auto resourcesCookie = xcb_randr_get_screen_resources_current(c, root);
    const auto primaryCookie = xcb_randr_get_output_primary(c, root);
    Reply<xcb_randr_get_screen_resources_current_reply_t> resources(
        xcb_randr_get_screen_resources_current_reply(c, resourcesCookie, nullptr));
    Reply<xcb_randr_get_output_primary_reply_t> primary(
        xcb_randr_get_output_primary_reply(c, primaryCookie, nullptr));
    if (!resources)
        return false;
    const xcb_randr_output_t primaryOutput = primary ? primary->output : XCB_NONE;
    const xcb_randr_output_t *ids = xcb_randr_get_screen_resources_current_outputs(resources.get());
    const int count = xcb_randr_get_screen_resources_current_outputs_length(resources.get());
    for (int i = 0; i < count; ++i) {
        Reply<xcb_randr_get_output_info_reply_t> output(xcb_randr_get_output_info_reply(
            c, xcb_randr_get_output_info(c, ids[i], resources->config_timestamp), nullptr));
        if (!output || output->connection != XCB_RANDR_CONNECTION_CONNECTED ||
            output->crtc == XCB_NONE)
            continue;
        Reply<xcb_randr_get_crtc_info_reply_t> crtc(xcb_randr_get_crtc_info_reply(
            c, xcb_randr_get_crtc_info(c, output->crtc, resources->config_timestamp), nullptr));
        if (!crtc)
            continue;
        const QRect geometry(crtc->x, crtc->y, crtc->width, crtc->height);
        if (ids[i] == primaryOutput)
            screens->prepend({geometry, QRect()});
        else
            screens->append({geometry, QRect()});
    }
    return !screens->isEmpty();
}

// The first rectangle of the root window's _NET_WORKAREA, the whole root
// window when the window manager sets none.
QRect workArea(xcb_connection_t *c, const xcb_screen_t *screen)
{
    static const char name[] = "_NET_WORKAREA";
    Reply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr));
    if (atom && atom->atom != XCB_NONE) {
        Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
            c, xcb_get_property(c, 0, screen->root, atom->atom, XCB_ATOM_CARDINAL, 0, 4), nullptr));
        if (property && property->type == XCB_ATOM_CARDINAL && property->format == 32 &&
            xcb_get_property_value_length(property.get()) >= 16) {
            const auto *value =
                static_cast<const uint32_t *>(xcb_get_property_value(property.get()));
            return QRect(int(value[0]), int(value[1]), int(value[2]), int(value[3]));
        }
    }
    return QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels);
}

} // namespace

namespace XScreens {

bool platformIsXcb(int argc, char **argv)
{
    QByteArray platform = optionValue(argc, argv, "platform");
    if (platform.isEmpty())
        platform = qgetenv("QT_QPA_PLATFORM");
    // A list ("wayland;xcb") is tried in order: only the first one counts
    // here; its options follow a colon.
    platform = platform.split(';').value(0).split(':').value(0).trimmed();
    return platform.isEmpty() || platform == "xcb";
}

bool query(int argc, char **argv, QList<ScreenMetrics::Screen> *screens)
{
    screens->clear();
    const QByteArray display = optionValue(argc, argv, "display");
    int number = 0;
    std::unique_ptr<xcb_connection_t, Disconnect> connection(
        xcb_connect(display.isEmpty() ? nullptr : display.constData(), &number));
    xcb_connection_t *c = connection.get();
    if (!c || xcb_connection_has_error(c))
        return false;
    const xcb_screen_t *screen = screenNumber(c, number);
    if (!screen)
        return false;

    const xcb_query_extension_reply_t *randr = xcb_get_extension_data(c, &xcb_randr_id);
    if (randr && randr->present) {
        Reply<xcb_randr_query_version_reply_t> version(
            xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr));
        if (version && version->major_version == 1 && version->minor_version >= 5)
            monitors(c, screen->root, screens);
        else if (version && version->major_version == 1 && version->minor_version >= 2)
            outputs(c, screen->root, screens);
    }
    if (screens->isEmpty())
        screens->append({QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels), QRect()});

    // As Qt: the work area is of the whole X screen, so it narrows a screen
    // only where that screen is alone (or the user asks Qt to rely on it).
    const bool relyOnWorkArea = !qEnvironmentVariableIsEmpty("QT_RELY_ON_NET_WORKAREA_ATOM");
    const QRect area = workArea(c, screen);
    for (ScreenMetrics::Screen &each : *screens) {
        each.available =
            screens->size() > 1 && !relyOnWorkArea ? each.geometry : each.geometry & area;
    }
    return true;
}

} // namespace XScreens
