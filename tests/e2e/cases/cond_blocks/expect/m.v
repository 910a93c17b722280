// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, d, p, q, s, t, u);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input c;
   input d;
   output p;
   output q;
   output s;
   output t;
   output u;

   assign p = a;

   assign q = (((a))?b:1'b0)|
   (((b))?c:1'b0);

   assign s = ((((c&d)))?a:1'b0)|
   ((((~(a)&~(b))&~((c&d))))?d:1'b0);

   assign t = ((((a)))?b:1'b0)|
   ((((~(a))&(b)))?c:1'b0)|
   ((((~(a)&~(b))&(c)))?d:1'b0);

   assign u = (((((~(a)&~(b))&~(c))))?a:1'b0);
endmodule
