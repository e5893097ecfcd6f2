"""Loading plug-ins, sessions and the debug log from Python."""

import os

import pytest

import pipecorr

POINT = dict(usl=[0.5, 1.0], usg=2.0, rol=850.0, rog=40.0, visl=3e-3,
             visg=1.3e-5, eps=4.6e-5, sigma=0.025, diam=0.1016, fi=0.0,
             p=4e6)


def test_catalogue_and_identification_of_the_bundled_plugin(plugin):
    names = [(e.name, e.link_info) for e in plugin.catalogue]
    assert names == [("BB_2", 2), ("BB_3", 3), ("ORBA_3", 3)]
    assert len(plugin.identification) == 8
    version, interface = plugin.identification, plugin.interface_identification
    # The two blocks differ in their third line only.
    assert [a == b for a, b in zip(version, interface)] == [
        True, True, False, True, True, True, True, True]
    assert plugin.is_pipecorr_build
    assert plugin.reentrant("bb_3") and not plugin.reentrant("ORBA_3")


def test_a_logged_session_traces_into_the_working_directory(plugin, tmp_path,
                                                            monkeypatch):
    monkeypatch.chdir(tmp_path)
    with plugin.session(log=True) as session:
        assert session.logging
        result = plugin.calc("BB_3", **POINT, threads=2)
        assert result.threads == 1  # a traced run stays on one thread
    log = (tmp_path / "usercorr.dbg").read_bytes().decode().split("\r\n")
    assert log[0].strip() == "Entering CORR_INT_SETUP"
    assert log[-2].strip() == "Leaving CORR_INT_CLEANUP"
    # One trace per point, ending in the gradient the point returned.
    ends = [line for line in log if "leaving BB8 with DP=" in line]
    assert [float(line.split("=")[1]) for line in ends] == pytest.approx(
        result.dp.tolist(), rel=1e-15)
    # The plug-in traces whenever the file is there at setup.
    with plugin.session() as session:
        assert session.logging
    os.remove("usercorr.dbg")
    with plugin.session() as session:
        assert not session.logging
        assert plugin.calc("BB_3", **POINT, threads=2).threads == 2
    assert not (tmp_path / "usercorr.dbg").exists()


def test_session_misuse_and_a_log_that_cannot_be_used(plugin, tmp_path,
                                                      monkeypatch):
    monkeypatch.chdir(tmp_path)
    with plugin.session():
        with pytest.raises(RuntimeError, match="already open"):
            with plugin.session():
                pass
    (tmp_path / "elsewhere").write_text("")
    os.symlink(tmp_path / "elsewhere", "usercorr.dbg")
    with pytest.raises(pipecorr.Error, match="symbolic link"):
        with plugin.session(log=True):
            pass
    # The refused session left nothing open.
    with plugin.session():
        pass


def test_a_planted_link_is_not_traced_into(plugin, tmp_path, monkeypatch):
    # Without log=True the plug-in meets the link itself: the run is not
    # traced and the file the link names keeps its contents.
    monkeypatch.chdir(tmp_path)
    (tmp_path / "victim.txt").write_text("precious\n")
    os.symlink("victim.txt", "usercorr.dbg")
    with plugin.session() as session:
        assert not session.logging
        plugin.calc("BB_3", **POINT)
    plugin.calc("BB_3", **POINT)
    assert (tmp_path / "victim.txt").read_text() == "precious\n"


def test_loading_what_is_not_a_plugin(tmp_path):
    with pytest.raises(FileNotFoundError):
        pipecorr.Plugin(tmp_path / "missing.so")
    junk = tmp_path / "junk.so"
    junk.write_bytes(b"not a library")
    with pytest.raises(pipecorr.Error, match="cannot load plug-in library"):
        pipecorr.Plugin(junk)


def test_a_run_belongs_to_the_loaded_library_not_to_one_handle(
        plugin, examples, tmp_path, monkeypatch):
    # Two handles of one file share one library and so one run: the second
    # may not open another, and a traverse (through the package's own
    # handle) joins the open run; its own setup would empty the trace.
    monkeypatch.chdir(tmp_path)
    other = pipecorr.Plugin(plugin.path)
    with plugin.session(log=True):
        assert other.session(log=False) is not None
        with pytest.raises(RuntimeError, match="already open"):
            with other.session():
                pass
        plugin.calc("BB_3", **POINT)
        pipecorr.traverse(examples / "field_well.case", "BB_3")
    log = (tmp_path / "usercorr.dbg").read_bytes().decode()
    assert log.count("Entering CORR_INT_SETUP") == 1
    assert log.count("leaving BB8 with DP=") > len(POINT["usl"])
