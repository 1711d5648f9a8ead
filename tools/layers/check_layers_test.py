"""Self-test of tools/check-layers on synthetic trees made from the real layer
map: a tree that follows the map passes; planted faults fail, each named by
file and line."""

import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

TOOLS = Path(__file__).resolve().parent.parent
CHECK = TOOLS / "check-layers"
MAP = TOOLS / "layers.txt"
sys.dont_write_bytecode = True
sys.path.insert(0, str(TOOLS))

from layers.layer_map import read_layer_map  # noqa: E402
from layers.includes import product_sources  # noqa: E402

LAYERS = read_layer_map(MAP)


def folder_of(component: str) -> str:
    return next(folder for folder, owner in LAYERS.folders.items() if owner == component)


def header_of(component: str) -> str:
    return f"{folder_of(component)}{component}.h"


def targets_of(component: str) -> list[str]:
    return [target for target, owner in LAYERS.libraries.items() if owner == component]


def dot(links: list[tuple[str, str]], shapes: dict[str, str]) -> str:
    """A link graph as cmake --graphviz writes it."""
    ids = {target: f"node{number}" for number, target in enumerate(shapes)}
    lines = ['digraph "Corvasta" {', 'node [\n  fontsize = "12"\n];']
    lines += [f'    "{ids[t]}" [ label = "{t}", shape = {s} ];' for t, s in shapes.items()]
    lines += [f'    "{ids[a]}" -> "{ids[b]}"  // {a} -> {b}' for a, b in links]
    return "\n".join(lines + ["}"]) + "\n"


class SyntheticTree:
    """One header and one source per component in its first folder, the
    source including the header of every component it names as usable, and
    a link graph in which each target links the targets of those components
    (with a CMakeLists.txt writing each link)."""

    def __init__(self, root: Path):
        self.root = root
        self.links: list[tuple[str, str]] = []
        self.shapes = {"Qt6::Widgets": "doubleoctagon", "ZLIB::ZLIB": "septagon",
                       "test_app": "egg", "corvasta_test_support": "octagon"}
        for component, uses in LAYERS.uses.items():
            self.write(header_of(component), "#pragma once\n")
            self.write(f"{folder_of(component)}{component}.cpp", "".join(
                f'#include "{header_of(name)}"\n' for name in [component, *uses]))
            cmake = []
            for target in targets_of(component):
                used = [u for name in uses for u in targets_of(name)]
                self.shapes[target] = "octagon"
                self.links += [(target, u) for u in used]
                cmake.append(f"corvasta_library({target} DEPS {' '.join(used)})\n")
            self.write(f"{folder_of(component)}CMakeLists.txt", "".join(cmake))
        self.links += [("ui", "Qt6::Widgets"), ("archive", "ZLIB::ZLIB"), ("test_app", "app"),
                       ("test_app", "corvasta_test_support"), ("corvasta_test_support", "app")]

    def write(self, path: str, text: str) -> None:
        (self.root / path).parent.mkdir(parents=True, exist_ok=True)
        (self.root / path).write_text(text)

    def append(self, path: str, line: str) -> int:
        """Adds a line to a file; returns its line number."""
        file = self.root / path
        old = file.read_text() if file.exists() else ""
        self.write(path, old + line + "\n")
        return old.count("\n") + 1

    def check(self, layer_map: Path = MAP) -> tuple[int, str]:
        graph = self.root.parent / "links.dot"
        graph.write_text(dot(self.links, self.shapes))
        result = subprocess.run([sys.executable, str(CHECK), "--root", str(self.root),
                                 "--map", str(layer_map), "--graph", str(graph)],
                                capture_output=True, text=True)
        return result.returncode, result.stdout + result.stderr


class LayerCheck(unittest.TestCase):
    def setUp(self):
        self.scratch = Path(tempfile.mkdtemp(prefix="layers-test-"))
        self.tree = SyntheticTree(self.scratch / "tree")

    def tearDown(self):
        shutil.rmtree(self.scratch)

    def map_with(self, old: str, new: str) -> Path:
        text = MAP.read_text()
        self.assertIn(old, text)
        changed = self.scratch / "layers.txt"
        changed.write_text(text.replace(old, new))
        return changed

    def expect_clean(self, layer_map: Path = MAP):
        code, output = self.tree.check(layer_map)
        self.assertEqual(code, 0, output)
        self.assertIn(" 0 offences", output)

    def expect_offence(self, line: str, layer_map: Path = MAP) -> str:
        code, output = self.tree.check(layer_map)
        self.assertEqual(code, 1, output)
        self.assertIn(line + "\n", output)
        return output

    def test_a_tree_that_follows_the_map_passes(self):
        code, output = self.tree.check()
        self.assertEqual(code, 0, output)
        self.assertRegex(output, rf"layers: {len(LAYERS.uses)} components, \d+ component edges")

    def test_an_upward_include_fails_naming_file_and_line(self):
        self.tree.write("app/Unit1.h", "#pragma once\n")
        source = "platform/core/platform_core.cpp"
        line = self.tree.append(source, '#include "app/Unit1.h"')
        output = self.expect_offence(
            f'{source}:{line}: include: platform_core may not use app ("app/Unit1.h")')
        self.assertIn("platform_core -> app: 1 include", output)

    def test_components_below_may_be_included_but_not_siblings(self):
        self.tree.append("ui/ui.cpp", '#include "platform/core/platform_core.h"')
        self.tree.append("app/main/main.cpp", f'#include "{header_of("model")}"')
        self.expect_clean()
        line = self.tree.append("platform/files/platform_files.cpp",
                                '#  include "platform/registry/platform_registry.h"')
        self.expect_offence(f"platform/files/platform_files.cpp:{line}: include: platform_files "
                            "may not use platform_registry "
                            '("platform/registry/platform_registry.h")')

    def test_the_longest_folder_decides_the_component(self):
        self.tree.write("backup/model/record.h", '#include "backup/backup.h"\n')
        self.tree.write("app/core/form.h", '#include "backup/model/record.h"\n')
        self.tree.write("app/core/run.h", '#include "../../backup/backup.h"\n')
        code, output = self.tree.check()
        self.assertEqual(code, 1)
        self.assertIn('backup/model/record.h:1: include: model may not use backup', output)
        self.assertIn('app/core/run.h:1: include: core may not use backup', output)
        self.assertNotIn("app/core/form.h", output)

    def test_qt_headers_only_in_ui_and_main(self):
        self.tree.append("ui/ui.cpp", "#include <QWidget>")
        self.tree.append("app/main/main.cpp", "#include <QtWidgets/QApplication>")
        self.expect_clean()
        line = self.tree.append("app/app.cpp", "#include <QString>")
        self.expect_offence(
            f"app/app.cpp:{line}: qt header: app may not include <QString> (only ui, main may)")

    def test_posix_headers_fail_only_once_the_rule_is_on(self):
        line = self.tree.append("platform/core/platform_core.cpp", "#include <sys/stat.h>")
        self.tree.append("platform/host/platform_host.cpp", "#include <unistd.h>")
        # The real map has the rule on; a map with it off lets the include pass.
        self.expect_clean(self.map_with("posix on:", "posix off:"))
        switched_on = self.map_with("posix on:", "posix on:")
        self.expect_offence(f"platform/core/platform_core.cpp:{line}: posix header: platform_core "
                            "may not include <sys/stat.h> (only platform_host may)", switched_on)

    def test_includes_in_comments_and_of_generated_files_are_ignored(self):
        self.tree.append("platform/core/platform_core.cpp",
                         '// #include "app/app.h"\n/* a comment\n#include "app/app.h"\n*/\n'
                         '#include "moc_widget.cpp"\n#include "generated/version.h"')
        self.expect_clean()

    def test_a_missing_project_include_fails(self):
        line = self.tree.append("archive/archive.cpp", '#include "platform/core/gone.h"')
        self.expect_offence(
            f'archive/archive.cpp:{line}: missing include: "platform/core/gone.h" names no file '
            "in the tree")

    def test_a_file_in_no_component_fails_and_so_does_including_it(self):
        self.tree.write("newfolder/thing.h", "#pragma once\n")
        line = self.tree.append("app/app.cpp", '#include "newfolder/thing.h"')
        output = self.expect_offence("newfolder/thing.h: no component: newfolder/thing.h lies in "
                                     "no component: add its folder to [components] in "
                                     "tools/layers.txt")
        self.assertIn(f'app/app.cpp:{line}: no component: "newfolder/thing.h" lies in no '
                      "component", output)

    def test_outside_and_build_folders_are_not_read_nor_included(self):
        self.tree.write("tests/app/app_test.cpp", '#include "app/app.h"\n#include <QWidget>\n')
        self.tree.write("build/CMakeCache.txt", "")
        self.tree.write("build/ui/moc_ui.cpp", '#include "gone/gone.h"\n')
        self.expect_clean()
        self.tree.write("tests/support/temp_dir.h", "#pragma once\n")
        line = self.tree.append("app/app.cpp", '#include "tests/support/temp_dir.h"')
        self.expect_offence(f'app/app.cpp:{line}: include: app may not use tests/ '
                            '("tests/support/temp_dir.h"): it is not product code')

    def test_a_link_against_the_order_names_its_cmake_line(self):
        self.tree.links.append(("platform_cabinet", "archive"))
        self.tree.append("platform/cabinet/CMakeLists.txt",
                         "target_link_libraries(platform_cabinet PUBLIC\n  archive)")
        output = self.expect_offence("platform/cabinet/CMakeLists.txt:3: library link: "
                                     "platform_cabinet -> archive: platform_cabinet may not use "
                                     "archive")
        self.assertIn("platform_cabinet -> archive: 1 library link", output)

    def test_a_library_cycle_fails(self):
        two_targets = self.map_with("platform_core: platform_core\n",
                                    "platform_core: platform_core\nplatform_text: platform_core\n")
        self.tree.shapes["platform_text"] = "octagon"
        self.tree.links += [("platform_core", "platform_text"), ("platform_text", "platform_core")]
        self.tree.append("platform/core/CMakeLists.txt",
                         "# the text helpers\ncorvasta_library(platform_text DEPS platform_core)\n"
                         "target_link_libraries(platform_core PUBLIC platform_text)")
        output = self.expect_offence("platform/core/CMakeLists.txt:4: library cycle: "
                                     "platform_core -> platform_text -> platform_core",
                                     two_targets)
        self.assertNotIn(": library link:", output)

    def test_targets_of_ours_without_a_component_fail(self):
        self.tree.append("app/CMakeLists.txt", "add_library(app_helpers STATIC helpers.cpp)")
        self.tree.shapes.update({"app_helpers": "octagon", "generated_tables": "pentagon"})
        self.tree.links.append(("archive", "generated_tables"))
        output = self.expect_offence("app/CMakeLists.txt:2: library: target app_helpers has no "
                                     "component: add it to [libraries] in tools/layers.txt")
        self.assertIn("target archive: library: archive links generated_tables, which is in no "
                      "component", output)
        self.assertNotIn("test_app", output)
        self.assertNotIn("Qt6", output)

    def test_a_faulty_map_is_refused_with_its_line(self):
        faulty = self.map_with("archive: archive/ -> platform_core",
                               "archive: archive/ -> platform_corr")
        number = faulty.read_text().splitlines().index(
            "archive: archive/ -> platform_corr") + 1
        code, output = self.tree.check(faulty)
        self.assertEqual(code, 2)
        self.assertIn(f"layers.txt:{number}: component archive uses unknown component "
                      "platform_corr", output)
        circular = self.map_with("platform_host: platform/host/ ->",
                                 "platform_host: platform/host/ -> app")
        code, output = self.tree.check(circular)
        self.assertEqual(code, 2)
        self.assertIn("the order has a cycle", output)


class RealTree(unittest.TestCase):
    def test_an_include_planted_in_a_copy_of_the_product_sources_is_found(self):
        with tempfile.TemporaryDirectory(prefix="layers-copy-") as scratch:
            copy = Path(scratch) / "tree"
            for path in product_sources(TOOLS.parent, LAYERS):
                (copy / path).parent.mkdir(parents=True, exist_ok=True)
                shutil.copy(TOOLS.parent / path, copy / path)
            sources = product_sources(copy, LAYERS)
            app_header = next(p for p in sources
                              if LAYERS.component_of(p) == "app" and p.endswith(".h"))
            core_source = next(p for p in sources
                               if LAYERS.component_of(p) == "platform_core" and p.endswith(".cpp"))
            with open(copy / core_source, "a") as file:
                file.write(f'#include "{app_header}"\n')
            line = (copy / core_source).read_text().count("\n")
            empty_graph = Path(scratch) / "empty.dot"
            empty_graph.write_text('digraph "Corvasta" {\n}\n')
            result = subprocess.run([sys.executable, str(CHECK), "--root", str(copy), "--graph",
                                     str(empty_graph)], capture_output=True, text=True)
            self.assertEqual(result.returncode, 1, result.stderr)
            self.assertIn(f'{core_source}:{line}: include: platform_core may not use app '
                          f'("{app_header}")\n', result.stdout)

    @unittest.skipIf(shutil.which("cmake") is None, "cmake is not installed")
    def test_the_graph_of_a_configured_build_folder(self):
        with tempfile.TemporaryDirectory(prefix="layers-cmake-") as scratch:
            tree = Path(scratch)
            (tree / "platform/cabinet").mkdir(parents=True)
            (tree / "CMakeLists.txt").write_text(
                "cmake_minimum_required(VERSION 3.20)\nproject(tiny LANGUAGES NONE)\n"
                "add_library(archive INTERFACE)\nadd_subdirectory(platform/cabinet)\n")
            (tree / "platform/cabinet/CMakeLists.txt").write_text(
                "add_library(platform_cabinet INTERFACE)\n"
                "target_link_libraries(platform_cabinet INTERFACE archive)\n")
            configure = subprocess.run(
                ["cmake", "-S", str(tree), "-B", str(tree / "build"), "-G", "Ninja"],
                capture_output=True, text=True)
            self.assertEqual(configure.returncode, 0, configure.stderr)
            result = subprocess.run([sys.executable, str(CHECK), "--root", str(tree)],
                                    capture_output=True, text=True)
            self.assertEqual(result.returncode, 1, result.stderr)
            self.assertIn("platform/cabinet/CMakeLists.txt:2: library link: platform_cabinet -> "
                          "archive: platform_cabinet may not use archive\n", result.stdout)
            self.assertEqual(sorted(p.name for p in tree.iterdir()),
                             ["CMakeLists.txt", "build", "platform"])


if __name__ == "__main__":
    unittest.main()
