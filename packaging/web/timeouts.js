// The timeouts of Debian's emscripten (3.1.6, and 3.1.69 still) with one
// mend. A timeout keeps the runtime alive until its callback has run, so that
// a program whose main() has returned ends only once nothing is pending.
// Cancelling one, though, forgets that hold: each cancelled timeout keeps the
// runtime alive for good, and the program never ends (measured again with
// 3.1.69: a program that stops two timers before main() returns stays alive
// without this file, and ends with it). Qt's event dispatcher cancels its one
// native timer whenever a sooner Qt timer comes or the last one stops (a
// progress dialog that shows and closes does both), so a test program could
// print its totals and then wait for ever. Here cancelling lets go. Linked
// only into the programs that end (the tests, with EXIT_RUNTIME), and only
// where the build finds a version it was measured to mend
// (tests/CMakeLists.txt).
mergeInto(LibraryManager.library, {
    $korindoPendingTimeouts: {},
    emscripten_set_timeout__deps: ['$callUserCallback', '$runtimeKeepalivePush',
                                   '$runtimeKeepalivePop', '$korindoPendingTimeouts'],
    emscripten_set_timeout: function(cb, msecs, userData) {
        runtimeKeepalivePush();
        var id = setTimeout(function() {
            delete korindoPendingTimeouts[id];
            runtimeKeepalivePop();
            callUserCallback(function() {
                {{{ makeDynCall('vi', 'cb') }}}(userData);
            });
        }, msecs);
        korindoPendingTimeouts[id] = true;
        return id;
    },
    emscripten_clear_timeout__deps: ['$runtimeKeepalivePop', '$korindoPendingTimeouts'],
    emscripten_clear_timeout: function(id) {
        if (!korindoPendingTimeouts[id])
            return;
        delete korindoPendingTimeouts[id];
        clearTimeout(id);
        runtimeKeepalivePop();
    },
});
