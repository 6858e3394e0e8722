#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A bare browser window on WebKitGTK, the engine of Safari, for the browser
tests: it shows URL, keeps its data (service workers, their caches, the
HTTP cache) in PROFILE, takes its title from the page's, and reloads the
page on F5, as a browser does. It has no menus of its own: a GTK window
opens its menus by their letters before the page sees the key, and Safari,
the browser of this engine, opens none with Alt. With "mac", the page takes
it for Safari on a Mac or an iPad (navigator.platform "MacIntel"), whose
Option key this window's Alt then stands for.
  webkit_window.py <profile folder> <url> [mac]
"""
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
gi.require_version("WebKit2", "4.1")
from gi.repository import Gdk, Gtk, WebKit2  # noqa: E402

profile, url = sys.argv[1:3]
mac = sys.argv[3:4] == ["mac"]
data = WebKit2.WebsiteDataManager(base_data_directory=profile + "/data", base_cache_directory=profile + "/cache")
context = WebKit2.WebContext.new_with_website_data_manager(data)
view = WebKit2.WebView.new_with_context(context)
if mac:
    view.get_user_content_manager().add_script(WebKit2.UserScript.new(
        "Object.defineProperty(Navigator.prototype, 'platform', { get: () => 'MacIntel' });",
        WebKit2.UserContentInjectedFrames.ALL_FRAMES, WebKit2.UserScriptInjectionTime.START, None, None))
settings = view.get_settings()
settings.set_enable_developer_extras(False)

window = Gtk.Window(title="Menvori")
window.set_default_size(1100, 860)
window.add(view)
view.connect("notify::title", lambda v, _: window.set_title(v.get_title() or "Menvori"))


def key(_, event):
    if event.keyval == Gdk.KEY_F5:
        view.reload()
        return True
    return False


window.connect("key-press-event", key)
window.connect("destroy", Gtk.main_quit)
view.load_uri(url)
window.show_all()
Gtk.main()
