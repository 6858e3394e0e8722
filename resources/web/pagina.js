// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's own part: it loads the program, showing how much of it has
// arrived, says so in plain words where the browser cannot run it, keeps the
// browser's own Alt shortcuts from taking the program's keys, and says when
// the drill has ended, with a way to start again. Everything it loads comes
// from its own folder.
'use strict';

(() => {
    const pantalla = document.getElementById('pantalla');
    const estat = document.getElementById('estat');
    const missatge = document.getElementById('missatge');
    const progres = document.getElementById('progres');
    const tornar = document.getElementById('tornar');

    // A message in the middle of the page, with the button that loads the
    // page again where starting again can help.
    const say = (text, again) => {
        missatge.textContent = text;
        progres.hidden = true;
        tornar.hidden = !again;
        estat.hidden = false;
        if (again)
            tornar.focus();
    };
    tornar.addEventListener('click', () => location.reload());

    const cannotRun = 'Aquest navegador no pot fer funcionar el Menvori, perquè no hi té ' +
        'WebAssembly (o el té desactivat). Obriu-lo amb un navegador actual: Chrome, ' +
        'Edge, Firefox o Safari.';
    const notLoaded = 'No s\'ha pogut carregar el Menvori. Comproveu la connexió i ' +
        'torneu-ho a provar.';

    if (typeof WebAssembly !== 'object' || typeof WebAssembly.compile !== 'function') {
        say(cannotRun, false);
        return;
    }
    if (typeof qtLoad !== 'function' || typeof window.menvori_entry !== 'function') {
        say(notLoaded, true);
        return;
    }

    // Alt with a letter or a digit belongs to the program (its buttons and
    // its menu): the browser opens none of its own menus with it. The
    // program still receives the key. AltGr, which types, is Ctrl+Alt on
    // Windows and no Alt at all elsewhere.
    window.addEventListener('keydown', event => {
        if (event.altKey && !event.ctrlKey && !event.metaKey && /^(Key[A-Z]|Digit[0-9])$/.test(event.code))
            event.preventDefault();
    }, true);

    // The program's code, compiled by the browser as it arrives; the bar
    // counts a copy of the bytes as they come (their number is known when the
    // page is made, whether or not the server compresses them on the way).
    // Compiling the browser's own stream, rather than one passed through
    // this script, lets the program start some 150 ms sooner.
    // (Its name, and every other file's, carries a digest of its contents
    // in the page made: make_page.cmake.)
    const total = Number(progres.dataset.bytes);
    let keeping = Promise.resolve();
    const compile = async () => {
        const response = await fetch('menvori.wasm');
        if (!response.ok)
            throw new Error('menvori.wasm: ' + response.status);
        keeping = keep(response);
        if (response.body) {
            const reader = response.clone().body.getReader();
            let arrived = 0;
            const count = ({ done, value }) => {
                if (done)
                    return undefined;
                arrived += value.byteLength;
                progres.value = Math.min(arrived, total);
                return reader.read().then(count);
            };
            reader.read().then(count).catch(() => {});
        }
        // A server that does not say the code is WebAssembly is usual
        // enough: the browser only compiles such code whole.
        const type = response.headers.get('Content-Type') || '';
        if (typeof WebAssembly.compileStreaming !== 'function' || !type.startsWith('application/wasm'))
            return WebAssembly.compile(await response.arrayBuffer());
        return WebAssembly.compileStreaming(response);
    };

    // On a first visit no service worker serves the page yet: the program's
    // code is kept as it arrives, in the service worker's store for this
    // folder (sw.js), which takes it from there rather than download it
    // again. Afterwards the worker keeps what passes through it.
    const keep = async response => {
        if (!window.caches || !('serviceWorker' in navigator) || navigator.serviceWorker.controller)
            return;
        const copy = response.clone();
        try {
            const cache = await caches.open('menvori ' + new URL('.', location.href).href);
            await cache.put(new URL(response.url).href, copy);
        } catch (error) {
            console.warn(error);
        }
    };

    // The drill has ended when no window of the program is shown any more,
    // after one has been: "Sortir", Alt+S, the menu's "Sortir" and the
    // window's close box all close the main window.
    let shown = false;
    let ended = false;
    const watchWindows = () => {
        const root = pantalla.querySelector('#qt-shadow-container')?.shadowRoot;
        if (!root)
            return;
        const check = () => {
            const open = [...root.querySelectorAll('.qt-window')]
                .some(window => window.style.display === 'block');
            shown = shown || open;
            if (shown && !open && !ended) {
                ended = true;
                pantalla.hidden = true;
                say('Has acabat la pràctica del peu de rei. Fins aviat!', true);
            }
        };
        new MutationObserver(check).observe(root, {
            subtree: true, childList: true, attributes: true, attributeFilter: ['style']
        });
        check();
    };

    const start = async () => {
        try {
            await qtLoad({
                qt: {
                    entryFunction: window.menvori_entry,
                    module: compile(),
                    containerElements: [pantalla],
                    // The faces are the program's own, the same everywhere.
                    localFonts: { familiesCollection: 'NoFontFamilies' },
                    onLoaded: () => {
                        estat.hidden = true;
                    },
                    onExit: exit => {
                        if (!ended)
                            say(exit.crashed ? notLoaded : 'El Menvori s\'ha tancat.', true);
                        ended = true;
                    }
                }
            });
            // The program has started, and its first window is up.
            watchWindows();
            // Once opened over HTTPS (or from this computer), the page works
            // with no network too (sw.js); its files are kept now, not while
            // the program is on its way.
            await keeping;
            if ('serviceWorker' in navigator && window.isSecureContext)
                navigator.serviceWorker.register('sw.js').catch(() => {});
        } catch (error) {
            console.error(error);
            if (!ended)
                say(error instanceof WebAssembly.CompileError ? cannotRun : notLoaded, true);
            ended = true;
        }
    };
    start();
})();
