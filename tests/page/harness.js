'use strict';
// Serves the three resource files on 127.0.0.1 the way the program's resource protocol
// hands them over (no charset, so the page's own declaration decides) and opens the page
// in headless chromium.
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { chromium } = require('playwright-core');

const resources = process.env.PAGE_RESOURCES;
const output = process.env.PAGE_OUTPUT || resources;

const contentTypes = { '104': 'text/html', '130': 'application/javascript', '131': 'application/javascript' };

function startServer() {
  const server = http.createServer((req, res) => {
    const name = req.url.replace(/^\//, '');
    const type = contentTypes[name];
    if (!type) {
      res.writeHead(404);
      res.end();
      return;
    }
    res.writeHead(200, { 'Content-Type': type, 'Cache-Control': 'no-store' });
    res.end(fs.readFileSync(path.join(resources, name)));
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// The client area of dialog template 102 as measured under Wine (320 x 352 dialog units).
const viewport = { width: 560, height: 616 };

async function launch() {
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run'],
  });
  const server = await startServer();
  const origin = `http://127.0.0.1:${server.address().port}`;
  return {
    browser,
    origin,
    pageUrl: `${origin}/104`,
    async close() {
      await browser.close();
      await new Promise((resolve) => server.close(resolve));
    },
  };
}

// A fresh page. `init` runs before the page's own scripts (to stand in a clipboard object).
// Message boxes are answered and recorded in `page.messages`.
async function openPage(env, { init, permissions } = {}) {
  const context = await env.browser.newContext({ viewport });
  if (permissions) await context.grantPermissions(permissions, { origin: env.origin });
  if (init) await context.addInitScript(init);
  const page = await context.newPage();
  page.messages = [];
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(String(e)));
  page.on('dialog', async (dialog) => {
    page.messages.push(dialog.message());
    await dialog.accept();
  });
  await page.goto(env.pageUrl);
  await page.waitForFunction(() => window.jQuery && window.CopyTable && document.readyState === 'complete');
  return page;
}

// Clicks the copy button and returns the message box it leads to (the clipboard may answer
// after the click returns).
async function clickCopy(page) {
  const before = page.messages.length;
  await page.click('#Button4');
  for (let i = 0; i < 100 && page.messages.length === before; i++) await page.waitForTimeout(20);
  return page.messages[before];
}

module.exports = { launch, openPage, clickCopy, viewport, resources, output };
