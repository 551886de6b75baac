'use strict';
// The system's legacy engine understands only the third edition of the language: a later
// construct there is a syntax error that the page's error handler would swallow, leaving a
// form that silently does nothing.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const acorn = require('acorn');
const { resources } = require('./harness');

const gbk = new TextDecoder('gbk', { fatal: true });
const legacy = { ecmaVersion: 3, allowReserved: 'never', sourceType: 'script' };

function inlineScripts(html) {
  return Array.from(html.matchAll(/<script type="text\/javascript">([\s\S]*?)<\/script>/g), (m) => m[1]);
}

test('page script and the page\'s own loader parse as third-edition script', () => {
  const sources = [['131', gbk.decode(fs.readFileSync(path.join(resources, '131')))]];
  inlineScripts(gbk.decode(fs.readFileSync(path.join(resources, '104')))).forEach((s, i) => sources.push([`104 #${i}`, s]));
  assert.equal(sources.length, 2);
  for (const [name, source] of sources) {
    assert.doesNotThrow(() => acorn.parse(source, legacy), name);
  }
});

test('the check rejects what the legacy engine rejects', () => {
  const later = ['let a = 1;', 'var f = () => 1;', 'p.then(f).catch(g);', 'var o = { a: 1, };', 'var s = `x`;'];
  for (const source of later) {
    assert.throws(() => acorn.parse(source, legacy), source);
  }
});
