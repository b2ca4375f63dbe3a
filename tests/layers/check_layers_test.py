#!/usr/bin/env python3
"""scripts/check-layers on small trees made for each case, and on the real src/."""

import pathlib
import subprocess
import sys
import tempfile
import textwrap
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
CHECKER = ROOT / "scripts" / "check-layers"


def layer(name, links="", extra=""):
    """A folder's CMakeLists.txt making kestrel_<name>, linking `links`."""
    text = f"add_library(kestrel_{name} STATIC {name}.cpp)\nkestrel_layer(kestrel_{name})\n"
    if links:
        text += f"target_link_libraries(kestrel_{name} PUBLIC {links})\n"
    return text + extra


class LayerCheck(unittest.TestCase):
    def run_checker(self, files):
        with tempfile.TemporaryDirectory() as temp:
            src = pathlib.Path(temp) / "src"
            for name, text in files.items():
                path = src / name
                path.parent.mkdir(parents=True, exist_ok=True)
                path.write_text(textwrap.dedent(text))
            done = subprocess.run([sys.executable, str(CHECKER), str(src)],
                                  capture_output=True, text=True)
            return done.returncode, done.stdout + done.stderr

    def base(self):
        return {
            "platform/CMakeLists.txt": layer("platform"),
            "platform/registry.h": "#pragma once\n",
            "adapter/CMakeLists.txt": layer("adapter", "kestrel_platform"),
            "adapter/adapter.h": '#pragma once\n#include "platform/registry.h"\n',
        }

    def test_downward_includes_pass(self):
        code, output = self.run_checker(self.base())
        self.assertEqual(code, 0, output)
        self.assertIn("2 layers, 1 includes of other folders, all downward", output)

    def test_upward_include_fails_naming_the_line_and_the_layers(self):
        files = self.base()
        files["platform/registry.cpp"] = '#include "platform/registry.h"\n\n#include "adapter/adapter.h"\n'
        code, output = self.run_checker(files)
        self.assertEqual(code, 1, output)
        self.assertIn('src/platform/registry.cpp:3: includes "adapter/adapter.h", '
                      "but kestrel_platform does not link kestrel_adapter", output)

    def test_angle_bracket_include_of_a_higher_folder_fails(self):
        files = self.base()
        files["platform/registry.cpp"] = "#include <adapter/adapter.h>\n"
        code, output = self.run_checker(files)
        self.assertEqual(code, 1, output)
        self.assertIn("src/platform/registry.cpp:1:", output)

    def test_include_between_siblings_fails(self):
        files = self.base()
        files["shell/CMakeLists.txt"] = layer("shell", "kestrel_adapter")
        files["ui/CMakeLists.txt"] = layer("ui", "kestrel_adapter")
        files["ui/sheet_services.h"] = "#pragma once\n"
        files["shell/tray.cpp"] = '#include "ui/sheet_services.h"\n'
        code, output = self.run_checker(files)
        self.assertEqual(code, 1, output)
        self.assertIn("kestrel_shell does not link kestrel_ui", output)

    def test_layers_reached_through_others_and_through_an_umbrella_pass(self):
        files = self.base()
        files["CMakeLists.txt"] = (
            "add_library(umbrella INTERFACE)\n"
            "target_link_libraries(umbrella INTERFACE kestrel_adapter)\n")
        files["ui/CMakeLists.txt"] = layer("ui", "umbrella")
        files["ui/page.cpp"] = '#include "platform/registry.h"\n#include "adapter/adapter.h"\n'
        code, output = self.run_checker(files)
        self.assertEqual(code, 0, output)

    def test_links_added_in_a_subfolder_count(self):
        files = self.base()
        files["ui/CMakeLists.txt"] = layer("ui")
        files["ui/settings/CMakeLists.txt"] = (
            "target_sources(kestrel_ui PRIVATE page.cpp)\n"
            "target_link_libraries(kestrel_ui PUBLIC kestrel_adapter)\n")
        files["ui/settings/page.cpp"] = '#include "adapter/adapter.h"\n'
        code, output = self.run_checker(files)
        self.assertEqual(code, 0, output)

    def test_a_commented_out_link_does_not_count(self):
        files = self.base()
        files["adapter/CMakeLists.txt"] = layer(
            "adapter", extra="# target_link_libraries(kestrel_adapter PUBLIC kestrel_platform)\n")
        code, output = self.run_checker(files)
        self.assertEqual(code, 1, output)
        self.assertIn("kestrel_adapter does not link kestrel_platform", output)

    def test_includes_of_what_is_not_a_folder_of_src_are_left_alone(self):
        files = self.base()
        files["adapter/adapter.cpp"] = textwrap.dedent("""\
            #include "adapter/adapter.h"
            #include "dialogs/settings_ids.h"
            #include "utility_version.h"
            #include <gtest/gtest.h>
            // #include "ui/page.h"
            """)
        code, output = self.run_checker(files)
        self.assertEqual(code, 0, output)

    def test_folder_without_a_layer_fails(self):
        for name, lists in [
            ("no CMakeLists.txt", None),
            ("sources added to another library", "target_sources(kestrel_ui PRIVATE core.cpp)\n"),
            ("two libraries", layer("core") + "add_library(kestrel_more STATIC more.cpp)\n"),
        ]:
            with self.subTest(name):
                files = self.base()
                files["core/core_objects.h"] = '#pragma once\n#include "adapter/adapter.h"\n'
                if lists is not None:
                    files["core/CMakeLists.txt"] = lists
                code, output = self.run_checker(files)
                self.assertEqual(code, 1, output)
                self.assertIn("src/core: no layer", output)

    def test_library_without_the_layer_set_up_fails(self):
        files = self.base()
        files["adapter/CMakeLists.txt"] = (
            "add_library(kestrel_adapter STATIC adapter.cpp)\n"
            "target_link_libraries(kestrel_adapter PUBLIC kestrel_platform)\n")
        code, output = self.run_checker(files)
        self.assertEqual(code, 1, output)
        self.assertIn("src/adapter: kestrel_adapter is not set up with kestrel_layer()", output)

    def test_layers_linked_in_a_cycle_fail(self):
        files = self.base()
        files["platform/CMakeLists.txt"] = layer("platform", "kestrel_adapter")
        code, output = self.run_checker(files)
        self.assertEqual(code, 1, output)
        self.assertIn("src/adapter: kestrel_adapter links itself through its layers", output)
        self.assertIn("src/platform: kestrel_platform links itself through its layers", output)

    def test_the_real_tree_passes(self):
        done = subprocess.run([sys.executable, str(CHECKER)], capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        self.assertIn("all downward", done.stdout)


if __name__ == "__main__":
    unittest.main(verbosity=2)
