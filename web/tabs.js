// What the tabs of one page share, so that two tabs work as two copies of the
// trainer on one machine: named events and the data files, both kept in
// localStorage (shared by the tabs of one origin, and read synchronously), a
// BroadcastChannel message waking whoever waits on a change.
//
// Each tab holds a Web Lock named after it for as long as it lives, so the
// others can tell a closed or reloaded tab from a live one, as the desktop
// tells a dead process: its handles no longer keep an event, and its signal
// no longer counts. Where Web Locks are missing (a page served over plain
// HTTP to another machine), every tab counts as alive and a leaving tab
// lets go of its handles itself.
'use strict';

const vxrTabs = (() => {
    const EVENT_KEY = 'vxr.event:';
    const FILE_KEY = 'vxr.file:';
    const LOCK_PREFIX = 'vxr.tab.';
    const SHARED_FOLDER = '/vxr/';     // the page's drives; other files stay the tab's own
    const me = Date.now().toString(36) + Math.random().toString(36).slice(2);
    const channel = 'BroadcastChannel' in self ? new BroadcastChannel('vxr') : null;
    const wakers = new Set();
    const seen = new Map();             // file path -> the shared version this tab has

    function wakeAll() { for (const wake of [...wakers]) wake(); }
    function announce() { channel?.postMessage('changed'); }
    if (channel) channel.onmessage = wakeAll;
    addEventListener('storage', wakeAll);

    // Resolves once this tab's lock is held, so that others see it alive.
    const alive = new Promise(resolve => {
        if (!navigator.locks) return resolve();
        navigator.locks.request(LOCK_PREFIX + me, () => { resolve(); return new Promise(() => {}); });
    });

    async function liveTabs() {
        if (!navigator.locks) return null;
        const { held } = await navigator.locks.query();
        return new Set(held.map(lock => lock.name).filter(n => n.startsWith(LOCK_PREFIX))
                           .map(n => n.slice(LOCK_PREFIX.length)));
    }

    // --- named events: { signalled, setter, holders: { tab: handles } } ------

    function readEvent(name) {
        try { return JSON.parse(localStorage.getItem(EVENT_KEY + name)); } catch { return null; }
    }
    function writeEvent(name, event) {
        if (Object.keys(event.holders).length === 0) localStorage.removeItem(EVENT_KEY + name);
        else localStorage.setItem(EVENT_KEY + name, JSON.stringify(event));
        announce();
    }
    function withoutTheDead(event, live) {
        if (!event || !live) return event;
        for (const tab of Object.keys(event.holders)) if (!live.has(tab)) delete event.holders[tab];
        return event;
    }
    function signalledByTheLiving(event, live) {
        return !!event && event.signalled && (!live || live.has(event.setter));
    }

    // Opens `name` while some live tab holds it, or (create) makes it anew.
    async function attach(name, create, initiallySignalled) {
        await alive;
        let event = withoutTheDead(readEvent(name), await liveTabs());
        if (!event || Object.keys(event.holders).length === 0) {
            if (!create) return false;
            event = { signalled: initiallySignalled, setter: me, holders: {} };
        }
        event.holders[me] = (event.holders[me] || 0) + 1;
        writeEvent(name, event);
        return true;
    }

    function release(name) {
        const event = readEvent(name);
        if (!event || !event.holders[me]) return;
        if (--event.holders[me] === 0) delete event.holders[me];
        writeEvent(name, event);
    }

    function signal(name, signalled) {
        const event = readEvent(name) || { holders: { [me]: 1 } };
        event.signalled = signalled;
        event.setter = me;
        writeEvent(name, event);
    }

    // True when the event is or becomes signalled by a live tab within
    // `timeout` ms; sleeps between looks until a change is announced.
    async function wait(name, timeout) {
        const end = performance.now() + timeout;
        for (;;) {
            if (signalledByTheLiving(readEvent(name), await liveTabs())) return true;
            const left = end - performance.now();
            if (left <= 0) return false;
            await new Promise(resolve => {
                const done = () => { clearTimeout(timer); wakers.delete(done); resolve(); };
                const timer = setTimeout(done, left);
                wakers.add(done);
            });
        }
    }

    // A tab that leaves lets go of its handles; its lock goes with it anyway.
    addEventListener('pagehide', () => {
        const keys = Array.from({ length: localStorage.length }, (_, i) => localStorage.key(i));
        for (const key of keys.filter(k => k.startsWith(EVENT_KEY))) {
            const name = key.slice(EVENT_KEY.length);
            const event = readEvent(name);
            if (!event) continue;
            delete event.holders[me];
            if (event.setter === me) event.signalled = false;
            writeEvent(name, event);
        }
    });

    // --- the data files: { version, bytes (base64) } ------------------------

    function shared(path) { return path.startsWith(SHARED_FOLDER); }
    function readFile(path) {
        try { return JSON.parse(localStorage.getItem(FILE_KEY + path)); } catch { return null; }
    }
    function toBase64(bytes) {
        let text = '';
        for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
        return btoa(text);
    }
    function fromBase64(text) { return Uint8Array.from(atob(text), c => c.charCodeAt(0)); }
    function makeFolders(FS, path) {
        let at = '';
        for (const part of path.split('/').filter(Boolean).slice(0, -1)) {
            at += '/' + part;
            try { FS.mkdir(at); } catch { /* there already */ }
        }
    }

    // Brings the tab's file at `path` up to the version another tab wrote.
    function pull(FS, path) {
        if (!shared(path)) return;
        const file = readFile(path);
        if (!file || seen.get(path) === file.version) return;
        makeFolders(FS, path);
        FS.writeFile(path, fromBase64(file.bytes));
        seen.set(path, file.version);
    }

    // Offers the tab's file at `path`, as it is now, to the other tabs.
    function push(FS, path) {
        if (!shared(path)) return;
        let bytes;
        try { bytes = FS.readFile(path); } catch { return; }
        const version = me + ':' + performance.now();
        try {
            localStorage.setItem(FILE_KEY + path, JSON.stringify({ version, bytes: toBase64(bytes) }));
        } catch (error) {
            // Storage full: the file stays this tab's own, the trainer goes on.
            console.warn('not shared with the other tabs:', path, error);
            return;
        }
        seen.set(path, version);
        announce();
    }

    function forget(path) {
        localStorage.removeItem(FILE_KEY + path);
        seen.delete(path);
    }

    return { me, alive, attach, release, signal, wait, pull, push, forget, has: path => readFile(path) !== null };
})();
