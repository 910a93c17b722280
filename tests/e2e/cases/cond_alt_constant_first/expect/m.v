// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, x);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input c;
   output x;

   assign x = ((((1'b1)))?a:1'b0)|
   ((((~(1'b1))&(b)))?b:1'b0)|
   ((((~(1'b1)&~(b))&(c)))?c:1'b0);
endmodule
