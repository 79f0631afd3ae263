<p><small>Written on Lark Hill.</small></p>
</body>
</html>
